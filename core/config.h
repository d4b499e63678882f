#pragma once

#include "core/konfig_fields.h"

#include <array>
#include <cstdint>
#include <filesystem>

namespace kvilbo::core {

/// The settings record, byte for byte as the configuration file holds it.
struct TKonfig
{
    KText<40> intIdent;                     // identification text, never read back
    LeInt<std::uint16_t> intVersjon;        // language: 0 Norwegian, 1 English
    LeInt<std::uint32_t> intStartAnt;       // orderly closes so far
    std::array<std::uint8_t, 151> reserved{}; // carried unchanged
    KFlag bootListeView;                    // start in the list view
    std::uint8_t bootDBFvalg = 0;           // 0 none, 1 last opened, 2 bootDBFalltid
    KText<254> bootDBFsiste;
    KText<254> bootDBFalltid;
    KFlag DefMappeJN;                       // dialogs start in DefMappePATH
    KText<254> DefMappePATH;
    std::uint8_t bootVinduValg = 0;         // 0 as designed, 1 maximised, 2 last bounds
    LeInt<std::uint16_t> bootVinduLeft;
    LeInt<std::uint16_t> bootVinduTop;
    LeInt<std::uint16_t> bootVinduWidth;
    LeInt<std::uint16_t> bootVinduHeight;
    LeInt<std::int16_t> bootFargerHUE;
    LeInt<std::int16_t> bootFargerSAT;
    KFlag bootSplashScreen;
    KFlag DefEsc;
    LeInt<std::uint16_t> NetZombieTime;     // seconds
    LeInt<std::uint16_t> DefAarHundre;      // century added to two-digit years
    KFlag DefTvingNyMemo;
    std::uint8_t FormSTG = 0;               // designer snap grid, pixels
    KText<100> FormTFont;                   // text boxes of a new card layout
    std::uint8_t FormTFSTR = 0;
    KFlag FormTFF;
    KFlag FormTFK;
    KFlag FormTFU;
    KColour FormTFT;
    KColour FormTFBG;
    KText<100> FormDFont;                   // database fields of a new card layout
    std::uint8_t FormDFSTR = 0;
    KFlag FormDFF;
    KFlag FormDFK;
    KFlag FormDFU;
    KColour FormDFT;
    KColour FormDFBG;
    KText<100> ListeFont;                   // list view of a new database
    std::uint8_t ListeFSTR = 0;
    KFlag ListeFF;                          // bold, then underline, then italic
    KFlag ListeFU;
    KFlag ListeFK;
    KFlag ListeSortBlank;                   // empty sort values go to the top
    KColour ListeFargeT;
    KColour ListeFargeBG;
    KColour ListeFargeNN;                   // stored only
    KColour ListeFargeNP;                   // stored only
    KColour ListeFargeL;                    // stored only
    KColour ListeFargeD;                    // stored only
    std::uint8_t ListeHoyde = 0;            // row height, pixels
    KText<250> ListeStdTxt1;                // predefined texts of the editor window
    KText<250> ListeStdTxt2;
    KText<250> ListeStdTxt3;
    KText<250> ListeStdTxt4;
    KText<100> UtskriftFontN;
    std::uint8_t UtskriftFontS = 0;
    KFlag UtskriftFontF;
    KFlag UtskriftFontK;
    KFlag UtskriftFontU;
    KColour UtskriftFarge;
    KText<50> UtskriftTTV;                  // page header: left, middle, right
    KText<50> UtskriftTTM;
    KText<50> UtskriftTTH;
    KText<100> UtskriftST;                  // page text on every page
    KText<50> UtskriftBTV;                  // page footer: left, middle, right
    KText<50> UtskriftBTM;
    KText<50> UtskriftBTH;
};

inline constexpr std::size_t kKonfigSize = 2996;
static_assert(sizeof(TKonfig) == kKonfigSize);
static_assert(std::is_trivially_copyable_v<TKonfig>);

/// Windows language identifiers the language rule distinguishes.
inline constexpr std::uint16_t kLangNorwegianBokmaal = 1044;
inline constexpr std::uint16_t kLangNorwegianNynorsk = 2068;
inline constexpr std::uint16_t kLangEnglishUs = 1033;

/// The record with every field at its default (intVersjon 1 until the language is known).
TKonfig defaultKonfig();

/// The configuration file of a program file: the same path with the extension ".dat".
std::filesystem::path konfigFilePath(const std::filesystem::path &programFile);

// At start: Konfig = defaultKonfig(); found = lesKONFIG(Konfig, file, userLanguageId());
// Spraak follows Konfig.intVersjon, and a missing file is reported with text 2089.
/// Overlays the file's first 2996 bytes on konfig; false when there is no file, and then intVersjon comes from userLanguage.
bool lesKONFIG(TKonfig &konfig, const std::filesystem::path &datFile,
               std::uint16_t userLanguage);

/// Writes the record over the start of the file (created if missing); a longer file keeps its tail.
void skrivKONFIG(const TKonfig &konfig, const std::filesystem::path &datFile);

/// Language identifier of a locale name such as "nb_NO.UTF-8": 1044, 2068 or 1033.
std::uint16_t languageIdOfLocale(std::string_view localeName);

/// The user's language identifier from LC_ALL, LC_MESSAGES or LANG, the first one set.
std::uint16_t userLanguageId();

/// Spraak for a language identifier with no configuration file: 0 for Bokmaal, else 1.
std::uint16_t spraakForLanguageId(std::uint16_t languageId);

} // namespace kvilbo::core
