# Writes the text table file IN into the C++ source OUT as a byte array, so
# the program carries its texts with it. Run as: cmake -DIN=.. -DOUT=.. -P
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR byteCount "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUT}.tmp" "// Generated from texts.tsv by embed_texts.cmake; edit texts.tsv instead.
#include \"resources/texts_data.h\"

namespace kvilbo::resources {

namespace {
const unsigned char kTexts[] = {
${bytes}0x00};
} // namespace

std::string_view textsTsv()
{
    return std::string_view(reinterpret_cast<const char *>(kTexts), ${byteCount});
}

} // namespace kvilbo::resources
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
