#pragma once

#include <QString>

#include <stdexcept>

namespace kvilbo::cardview {

/// Language codes as the main window's `Spraak` holds them.
inline constexpr int kNorsk = 0;
inline constexpr int kEngelsk = 1;

/// A text that had to be a number and is not; what() is the text the error dialog shows.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& input);
    /// The text that could not be read, as the user typed it.
    const QString& input() const noexcept { return m_input; }

private:
    QString m_input;
};

/// The display form of a missing or invalid date: "  .  .    ".
QString emptyDate();

/// Normalises a typed or rearranged date to "dd.mm.yyyy", or emptyDate() when it is not a date.
/// `DefAarhundre` is the century base added to a two-digit year; callers pass the
/// configuration's `DefAarHundre`.
QString FreshDate(const QString& DatoStreng, int DefAarhundre);

/// The value of a typed number in language `spraak` (blanks ignored, an empty text 0, either
/// separator taken as the language's); throws ConversionError when it is not a number.
double numberOf(const QString& tekst, int spraak);

/// Display text of a number for a field of length `flen` with `fdes` decimals in language
/// `spraak`; throws ConversionError when `tekst` is not a number.
QString FreshNum(const QString& tekst, int flen, int fdes, int spraak);

/// "Ja "/"Nei" (Norwegian) or "Yes"/"No " (English): yes when the text starts with J, T or Y.
QString FreshLog(const QString& LogiskInn, int spraak);

/// The text with every blank (character 32) removed.
QString DeleteSpaces(const QString& Str);

/// Quick change checksum: the sum of the text's UTF-16 code units, wrapping at 32 bits.
/// `zerobased` has no effect (a sum does not depend on where indexing starts); it is kept
/// so that calls written with it read the same.
qint32 CRC1(const QString& text, bool zerobased = false);

} // namespace kvilbo::cardview
