#pragma once

#include "layout/default_layout.h"

#include <memory>
#include <string>
#include <vector>

namespace kvilbo::core {
class Texts;
}

namespace kvilbo::engine {
class FileSystem;
}

namespace kvilbo::layout {

/// The default card-print template for these fields, UTF-8 with CR LF line ends.
std::string defaultPrintText(const std::vector<CardField> &fields, const core::Texts &texts);

/// Writes text (UTF-8) to path as Windows-1252; throws engine::DbfIoError on failure.
void writePrintFile(engine::FileSystem &fs, const std::string &path, const std::string &text);

} // namespace kvilbo::layout
