#pragma once

// The object handler's 21 property rows: what each shows for an object, how
// it may be edited, the corrections of typed values, and how the rows are
// applied back to the object.

#include "designer/design_object.h"

#include <QString>
#include <QStringList>

#include <array>
#include <stdexcept>

namespace kvilbo::core {
class Texts;
}

namespace kvilbo::designer {

/// A colour row whose text is not an integer.
class ColourValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The rows, in grid order.
enum class Row {
    Navn, Type, FeltNr, Tekst, Venstre, Topp, Hoyde, Bredde, FontNavn, FontStorrelse,
    FontUthevet, FontKursiv, FontUnderstreket, Justering, FargeTekst, FargeBakgrunn,
    Transparent, Ramme, TabRekkefolge, BildeOriginal, BildeFilnavn,
};
inline constexpr int kRowCount = 21;

enum class RowStyle { Simple, PickList, Ellipsis };

/// One row as the grid shows it.
struct PropertyRow {
    int keyText = 0;       ///< text number of the key
    RowStyle style = RowStyle::Simple;
    bool readOnly = true;
    int maxDigits = 0;     ///< digits a typed value may have; 0 for free text
    QString value;
};

class PropertyGrid {
public:
    /// Rows in the language of texts, which must outlive the grid; fonts is the pick list of "Font Navn".
    PropertyGrid(const core::Texts &texts, QStringList fonts);

    /// Fills every row from o.
    void fill(const DesignObject &o);
    /// Writes the rows that apply to o's kind into o; throws ColourValueError.
    void apply(DesignObject &o) const;
    /// The value of row r corrected as on Enter ("Font Storrelse" 6..99, sizes above 0, tab 0..253).
    static QString corrected(Row r, const QString &value);

    const PropertyRow &row(Row r) const { return m_rows[index(r)]; }
    /// Sets a row's value as the user's edit does.
    void setValue(Row r, const QString &value) { m_rows[index(r)].value = value; }
    /// The key shown for row r.
    QString key(Row r) const;
    /// The row whose key is key in the current language, or -1.
    int rowOfKey(const QString &key) const;
    /// The choices of a pick-list row.
    QStringList pickList(Row r) const;
    /// The words "Ja" and "Nei", and the not-used text, in the current language.
    QString ja() const { return text(2841); }
    QString nei() const { return text(2840); }
    QString notUsed() const;

    static int index(Row r) { return static_cast<int>(r); }

private:
    QString text(int n) const;
    void set(Row r, QString value, RowStyle style, bool readOnly);
    QString flag(bool on) const { return on ? ja() : nei(); }
    QString alignText(ObjectAlign a) const;
    void applyLook(DesignObject &o) const;
    void applyGeometry(DesignObject &o) const;

    const core::Texts &m_texts;
    QStringList m_fonts;
    std::array<PropertyRow, kRowCount> m_rows;
};

} // namespace kvilbo::designer
