#include "core/config.h"

#include "core/io_error.h"
#include "core/maker.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace kvilbo::core {

namespace {

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char &c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string standardText(int button)
{
    return "This is the standard text for button " + std::to_string(button)
        + " - go to the config to change text";
}

void setFontGroupDefaults(TKonfig &k)
{
    // Segoe UI is the font the card layouts were drawn with; where it is not
    // installed, Qt's font matching picks the nearest sans serif.
    k.FormTFont.setText("Segoe UI");
    k.FormTFSTR = 10;
    k.FormTFT.setText("4194432");
    k.FormTFBG.setText("16777215");
    k.FormDFont.setText("Segoe UI");
    k.FormDFSTR = 10;
    k.FormDFK = true;
    k.FormDFT.setText("4011307");
    k.FormDFBG.setText("16777215");
    k.ListeFont.setText("Tahoma");
    k.ListeFSTR = 9;
    k.ListeSortBlank = true;
    for (KColour *c : {&k.ListeFargeT, &k.ListeFargeNN, &k.ListeFargeNP, &k.ListeFargeL,
                       &k.ListeFargeD})
        c->setText("0");
    k.ListeFargeBG.setText("16777215");
    k.ListeHoyde = 21;
}

void setPrintDefaults(TKonfig &k)
{
    k.UtskriftFontN.setText("Tahoma");
    k.UtskriftFontS = 10;
    k.UtskriftFarge.setText("0");
    k.UtskriftTTV.setText("[%JOB]");
    k.UtskriftTTH.setText("[%DATE] [%TIME]");
    k.UtskriftST.setText("Printed with Kvilbo - " + std::string(kMakerWebAddress) + " - "
                         + std::string(kMakerCopyright));
    k.UtskriftBTH.setText("Page [%PAGENO]");
}

std::string ioCause()
{
    return errno != 0 ? std::string(std::strerror(errno)) : std::string("input/output error");
}

} // namespace

TKonfig defaultKonfig()
{
    TKonfig k;
    k.intIdent.setText("KVILBO.DAT (" + upper(kMakerWebAddress) + ")");
    k.intVersjon = 1;
    k.bootListeView = true;
    k.bootVinduWidth = 1000;
    k.bootVinduHeight = 900;
    k.bootSplashScreen = true;
    k.DefEsc = true;
    k.NetZombieTime = 30;
    k.DefAarHundre = 2000;
    k.FormSTG = 5;
    setFontGroupDefaults(k);
    k.ListeStdTxt1.setText(standardText(1));
    k.ListeStdTxt2.setText(standardText(2));
    k.ListeStdTxt3.setText(standardText(3));
    k.ListeStdTxt4.setText(standardText(4));
    setPrintDefaults(k);
    return k;
}

std::filesystem::path konfigFilePath(const std::filesystem::path &programFile)
{
    std::filesystem::path p = programFile;
    p.replace_extension(".dat");
    return p;
}

bool lesKONFIG(TKonfig &konfig, const std::filesystem::path &datFile, std::uint16_t userLanguage)
{
    std::error_code ec;
    if (!std::filesystem::exists(datFile, ec)) {
        if (ec)
            throw IoError("Cannot read the configuration file " + datFile.string() + ": "
                          + ec.message());
        konfig.intVersjon = spraakForLanguageId(userLanguage);
        return false;
    }
    errno = 0;
    std::ifstream in(datFile, std::ios::binary);
    if (!in)
        throw IoError("Cannot open the configuration file " + datFile.string() + ": " + ioCause());
    char buffer[kKonfigSize];
    in.read(buffer, kKonfigSize);
    const auto got = static_cast<std::size_t>(in.gcount());
    // A short file overlays only the bytes it has; what was read before a
    // failure is kept too, so the start-up can go on with it.
    std::memcpy(static_cast<void *>(&konfig), buffer, got);
    if (in.bad())
        throw IoError("Cannot read the configuration file " + datFile.string() + ": " + ioCause());
    if (konfig.intVersjon > 1)
        konfig.intVersjon = 1;
    return true;
}

void skrivKONFIG(const TKonfig &konfig, const std::filesystem::path &datFile)
{
    errno = 0;
    std::error_code ec;
    const bool exists = std::filesystem::exists(datFile, ec);
    // Opened without truncation, so a longer file keeps its tail.
    std::fstream out(datFile, exists ? std::ios::in | std::ios::out | std::ios::binary
                                     : std::ios::out | std::ios::binary);
    if (!out)
        throw IoError("Cannot open the configuration file " + datFile.string()
                      + " for writing: " + ioCause());
    out.seekp(0);
    out.write(reinterpret_cast<const char *>(&konfig), kKonfigSize);
    out.close();
    if (out.fail())
        throw IoError("Cannot write the configuration file " + datFile.string() + ": "
                      + ioCause());
}

std::uint16_t languageIdOfLocale(std::string_view localeName)
{
    const auto end = localeName.find_first_of("_.@");
    const std::string lang = upper(localeName.substr(0, end));
    if (lang == "NB" || lang == "NO")
        return kLangNorwegianBokmaal;
    if (lang == "NN")
        return kLangNorwegianNynorsk;
    return kLangEnglishUs;
}

std::uint16_t userLanguageId()
{
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char *value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return languageIdOfLocale(value);
    }
    return kLangEnglishUs;
}

std::uint16_t spraakForLanguageId(std::uint16_t languageId)
{
    return languageId == kLangNorwegianBokmaal ? 0 : 1;
}

} // namespace kvilbo::core
