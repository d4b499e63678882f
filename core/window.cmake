# core: the main window TForm3 and the parts it wires together (widgets).
add_library(core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/card_list.h
  ${CMAKE_CURRENT_LIST_DIR}/card_surface.cpp ${CMAKE_CURRENT_LIST_DIR}/card_surface.h
  ${CMAKE_CURRENT_LIST_DIR}/database_session.cpp ${CMAKE_CURRENT_LIST_DIR}/database_session.h
  ${CMAKE_CURRENT_LIST_DIR}/hovedskjerm.cpp ${CMAKE_CURRENT_LIST_DIR}/hovedskjerm.h
  ${CMAKE_CURRENT_LIST_DIR}/hovedskjerm_database.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hovedskjerm_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listview_card_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_line.cpp ${CMAKE_CURRENT_LIST_DIR}/message_line.h
  ${CMAKE_CURRENT_LIST_DIR}/navigation.cpp ${CMAKE_CURRENT_LIST_DIR}/navigation.h
  ${CMAKE_CURRENT_LIST_DIR}/palette_transform.cpp ${CMAKE_CURRENT_LIST_DIR}/palette_transform.h
  ${CMAKE_CURRENT_LIST_DIR}/print_wiring.cpp ${CMAKE_CURRENT_LIST_DIR}/print_wiring.h
  ${CMAKE_CURRENT_LIST_DIR}/program_errors.cpp ${CMAKE_CURRENT_LIST_DIR}/program_errors.h
  ${CMAKE_CURRENT_LIST_DIR}/search_wiring.cpp ${CMAKE_CURRENT_LIST_DIR}/search_wiring.h
  ${CMAKE_CURRENT_LIST_DIR}/status_bar.cpp ${CMAKE_CURRENT_LIST_DIR}/status_bar.h
  ${CMAKE_CURRENT_LIST_DIR}/status_texts.cpp ${CMAKE_CURRENT_LIST_DIR}/status_texts.h
  ${CMAKE_CURRENT_LIST_DIR}/toolbar_icons.cpp ${CMAKE_CURRENT_LIST_DIR}/toolbar_icons.h
  ${CMAKE_CURRENT_LIST_DIR}/user_prompts.cpp ${CMAKE_CURRENT_LIST_DIR}/user_prompts.h
  ${CMAKE_CURRENT_LIST_DIR}/welcome_window.cpp ${CMAKE_CURRENT_LIST_DIR}/welcome_window.h
  ${CMAKE_CURRENT_LIST_DIR}/window_placement.cpp ${CMAKE_CURRENT_LIST_DIR}/window_placement.h
)
target_include_directories(core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(core PUBLIC core_logic layout_logic cardview listview designer search printing Qt6::Widgets)
target_compile_definitions(core PRIVATE
  KVILBO_VERSION="${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
target_compile_options(core PRIVATE -Wall -Wextra)
