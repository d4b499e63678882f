#include "layout/print_text.h"

#include "core/messages.h"
#include "engine/cp1252.h"
#include "engine/file_io.h"


namespace kvilbo::layout {

std::string defaultPrintText(const std::vector<CardField> &fields, const core::Texts &texts)
{
    std::string out;
    auto line = [&out](const std::string &text) { out += text + "\r\n"; };
    line(texts.ss(11500));
    line(texts.ss(11510));
    line(texts.ss(11520));
    line("");
    line("");
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line(fields[i].name + " : ");
        line("[%FIELD" + zeroPadded(static_cast<long long>(i + 1), 3) + "]");
        line("");
    }
    line("");
    line(texts.ss(11530) + "[%RECNO].");
    return out;
}

void writePrintFile(engine::FileSystem &fs, const std::string &path, const std::string &text)
{
    const std::string bytes = engine::toCp1252(text);
    auto file = fs.create(path);
    if (!file)
        throw engine::DbfIoError("Cannot create " + path);
    file->writeAt(0, bytes.data(), bytes.size());
}

} // namespace kvilbo::layout
