#pragma once

// The card's objects as the layout table describes them: one plain record per
// live card record of FORFIL, in record order, and the keyboard order of the
// database fields. The widgets are made from this list and nothing else.

#include <QString>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::cardview {

/// A layout value that had to be an integer and is not (ObjRefNr of a database field).
class LayoutValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// One object of the card.
struct CardObject {
    enum class Kind { Background, Field, TextBox, Picture };
    enum class Align { Left, Right, Centre };

    Kind kind = Kind::TextBox;
    int top = 0, left = 0, height = 0, width = 0;
    Align align = Align::Left;
    QString fontName;
    int fontSize = 0;     ///< points; 0 means the system's default height
    bool underline = false, italic = false, bold = false;
    std::uint32_t textColour = 0;       ///< 0x00BBGGRR
    std::uint32_t backgroundColour = 0; ///< 0x00BBGGRR
    bool stretch = false;    ///< pictures
    bool border = false;     ///< database fields
    bool transparent = false; ///< text boxes
    int fieldNumber = 0;     ///< database fields: table field shown
    char fieldType = 0;      ///< database fields: its type letter
    int fieldLength = 0, fieldDecimals = 0;
    int tabNumber = 0;       ///< 1..255 in the tab order, else 0
    QString refText;         ///< text boxes: raw text; pictures: the source, trimmed
};

/// The card: its objects in record order.
struct CardLayout {
    std::vector<CardObject> objects;
    bool hasBackground = false;
    std::uint32_t background = 0xFFFFFF; ///< the surface's colour, 0x00BBGGRR
};

/// Reads the card records of FORFIL for the open card table DBF; throws LayoutValueError
/// when a database field's ObjRefNr is not an integer. Fields the table lacks, or of a type
/// without a control, are left out.
CardLayout readCardLayout(engine::TDbfTable &FORFIL, engine::TDbfTable &DBF);

/// Indices into objects of the tab stops, in Tab order (increasing ObjTabNr; a later
/// object with the same number takes the slot).
std::vector<int> tabOrder(const std::vector<CardObject> &objects);

/// True for the type letters the card makes a control for (M, C, N, F, L, D).
bool hasCardControl(char fieldType);

/// The edit mask of a card field: N/F "!" + digits with the separator, L "ccc;1; ",
/// D "!99.99.9999;1; "; empty for C and M.
QString cardEditMask(char fieldType, int length, int decimals, QChar decimalSeparator);

/// A colour text of a layout or settings record: its integer's low 24 bits, 0 when not a number.
std::uint32_t colourOfText(const QString &text);
/// A layout flag: true when the first character is J, T or Y in either case.
bool flagOfText(const QString &text);
/// The Qt colour value 0x00RRGGBB of a 0x00BBGGRR colour.
std::uint32_t rgbOfColour(std::uint32_t bgr);
/// The file a picture source names: a bare name lies in tableFolder, and a
/// name differing only in case finds the file.
QString picturePathOf(const QString &source, const QString &tableFolder);

} // namespace kvilbo::cardview
