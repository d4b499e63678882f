#pragma once

// One object of the card as the designer edits it: what its control shows and
// what the layout record written for it holds.

#include <QString>

#include <cstdint>

namespace kvilbo::designer {

/// The kinds of object the object handler knows.
enum class ObjectKind { Background, TextBox, Picture, DatabaseField, Editor };

/// Text alignment of text boxes and database fields.
enum class ObjectAlign { Left = 0, Right = 1, Centre = 2 };

inline constexpr int kTextBoxTag = 301;
inline constexpr int kPictureTag = 302;

struct DesignObject {
    ObjectKind kind = ObjectKind::TextBox;
    QString name;                   ///< component name ("TextBox3"), "Background" for the card area
    int left = 0, top = 0, height = 0, width = 0;
    QString text;                   ///< text boxes: the raw text; fields: the placeholder
    QString fontName;
    int fontSize = 0;               ///< points; 0 means the default height
    bool bold = false, italic = false, underline = false;
    ObjectAlign align = ObjectAlign::Left;
    std::uint32_t textColour = 0;       ///< 0x00BBGGRR
    std::uint32_t backgroundColour = 0xFFFFFF;
    bool transparent = false;       ///< text boxes
    bool border = false;            ///< database fields
    bool stretch = false;           ///< pictures
    int fieldNumber = 0;            ///< database fields: the card-table field (the tag)
    QString hint;                   ///< fields: the tab position; pictures: the picture source
};

/// The tag a control of this object carries.
inline int tagOf(const DesignObject &o)
{
    switch (o.kind) {
    case ObjectKind::TextBox: return kTextBoxTag;
    case ObjectKind::Picture: return kPictureTag;
    case ObjectKind::DatabaseField:
    case ObjectKind::Editor: return o.fieldNumber;
    default: return 0;
    }
}

/// True for the two kinds that edit a card-table field.
inline bool isField(ObjectKind kind)
{
    return kind == ObjectKind::DatabaseField || kind == ObjectKind::Editor;
}

} // namespace kvilbo::designer
