#pragma once

// The fixed structure of a layout table: 24 fields in this order, and the
// record kinds its FormType/ObjType pairs select.

#include <array>
#include <string_view>

namespace kvilbo::layout {

/// Field numbers of the layout table (readers address fields by number).
enum Felt : int {
    FormType = 1,
    ObjType,
    ObjLinje,
    ObjKol,
    ObjHoyde, // stored as "OBJH\xF8YDE" (o-slash) in the table
    ObjBredde,
    ObjJust,
    ObjFontN,
    ObjFontS,
    ObjFontU,
    ObjFontK,
    ObjFontF,
    ObjFtxt,
    ObjFbg,
    ObjUtseen,
    ObjRamme,
    ObjRefNr,
    ObjRefTxt,
    ObjHendel,
    ObjBackS,
    ObjRO,
    ObjTabNr,
    ObjEksL1,
    ObjEksN1,
};

/// One field of the layout table's structure; name is UTF-8.
struct FeltDef {
    std::string_view name;
    char type;
    int length;
};

inline constexpr int kFeltCount = 24;

/// The structure in field order; entry i describes field i + 1.
inline constexpr std::array<FeltDef, kFeltCount> kFelter = {{
    {"FormType", 'N', 1},   {"ObjType", 'N', 1},     {"ObjLinje", 'N', 5},
    {"ObjKol", 'N', 5},     {"ObjH\xC3\xB8yde", 'N', 4}, {"ObjBredde", 'N', 4},
    {"ObjJust", 'N', 1},    {"ObjFontN", 'C', 40},   {"ObjFontS", 'N', 2},
    {"ObjFontU", 'L', 1},   {"ObjFontK", 'L', 1},    {"ObjFontF", 'L', 1},
    {"ObjFtxt", 'N', 15},   {"ObjFbg", 'N', 15},     {"ObjUtseen", 'N', 1},
    {"ObjRamme", 'N', 1},   {"ObjRefNr", 'N', 3},    {"ObjRefTxt", 'C', 200},
    {"ObjHendel", 'N', 2},  {"ObjBackS", 'N', 1},    {"ObjRO", 'L', 1},
    {"ObjTabNr", 'N', 3},   {"ObjEksL1", 'L', 1},    {"ObjEksN1", 'N', 5},
}};

/// Name under which a value is stored into field f.
constexpr std::string_view feltNavn(Felt f) { return kFelter[f - 1].name; }

/// FormType values: which layout a record belongs to.
namespace form {
inline constexpr int Liste = 1;      // list view
inline constexpr int Side = 2;       // card
inline constexpr int ListeUtskrift = 4;
inline constexpr int Etiketter = 6;  // labels
} // namespace form

/// Version texts written into the headers of new layouts (never read back).
inline constexpr std::string_view kListeVersjon = "LISTEFORMULAR - V4.0 MAKE 15/9-2012";
inline constexpr std::string_view kSideVersjon = "SIDEFORMULAR - STANDARD FOR FIL V2.0 MAKE 28/8-2011";
/// Picture source meaning the program's built-in picture.
inline constexpr std::string_view kInterntBilde = "[INTERNTBILDE001]";

} // namespace kvilbo::layout
