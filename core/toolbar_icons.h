#pragma once

#include <QIcon>

// The toolbar pictures, drawn here so the program carries no picture files.

namespace kvilbo::core {

/// What a toolbar picture shows.
enum class ToolIcon {
    Open, NewDatabase, Close, ListView, CardView, Print, Information, Settings,
    Design, Welcome, Exit, NewCard, First, Previous, Next, Last, Mark, Log, Search
};

/// The picture for a toolbar button, 32 by 32 pixels.
QIcon toolIcon(ToolIcon kind);

} // namespace kvilbo::core
