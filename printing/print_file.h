#pragma once

#include <QString>

namespace kvilbo::printing {

/// How a card-print text file is encoded on disk.
enum class PrintFileEncoding { Cp1252, Utf8Bom, Utf16LeBom, Utf16BeBom };

/// The card-print template as read from its file.
struct PrintText {
    /// The text with "\n" line ends.
    QString text;
    /// The encoding found, kept when the text is written back.
    PrintFileEncoding encoding = PrintFileEncoding::Cp1252;
};

/// Reads a card-print text; a byte-order mark selects the encoding, else cp1252. Throws PrintError.
PrintText readPrintText(const QString& path);

/// Writes text with CR LF line ends in the given encoding. Throws PrintError.
void writePrintText(const QString& path, const QString& text,
                    PrintFileEncoding encoding = PrintFileEncoding::Cp1252);

} // namespace kvilbo::printing
