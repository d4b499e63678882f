#include "core/config.h"
#include "core/io_error.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>

using namespace kvilbo::core;

namespace {

std::string recordBytes(const TKonfig &k)
{
    return std::string(reinterpret_cast<const char *>(&k), sizeof k);
}

// A record whose every byte differs from the defaults' in a recognisable way.
std::string patternRecord()
{
    std::string bytes(kKonfigSize, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(0x30 + i % 7);
    bytes[41] = 1; // intVersjon English
    bytes[42] = 0;
    return bytes;
}

class KonfigFile : public ::testing::Test
{
protected:
    TempFolder folder;
    std::filesystem::path dat = folder.path() / "kvilbo.dat";
};

TEST_F(KonfigFile, RoundTripKeepsEveryByte)
{
    TKonfig k = defaultKonfig();
    k.intVersjon = 0;
    k.intStartAnt = 41;
    k.bootDBFsiste.setText("/data/KUNDER.DBF");
    k.bootFargerSAT = -100;
    k.ListeFargeNN.setColour(123456);
    k.UtskriftBTV.setText("Side [%PAGENO]");
    skrivKONFIG(k, dat);
    EXPECT_EQ(std::filesystem::file_size(dat), kKonfigSize);
    EXPECT_EQ(readBytes(dat), recordBytes(k));

    TKonfig back = defaultKonfig();
    EXPECT_TRUE(lesKONFIG(back, dat, kLangEnglishUs));
    EXPECT_EQ(recordBytes(back), recordBytes(k));
    EXPECT_EQ(back.bootDBFsiste.text(), "/data/KUNDER.DBF");
    EXPECT_EQ(back.bootFargerSAT, -100);
}

TEST_F(KonfigFile, ForeignBytesSurviveReadAndWrite)
{
    const std::string bytes = patternRecord();
    writeBytes(dat, bytes);
    TKonfig k = defaultKonfig();
    lesKONFIG(k, dat, kLangNorwegianBokmaal);
    std::filesystem::remove(dat);
    skrivKONFIG(k, dat);
    EXPECT_EQ(readBytes(dat), bytes);
}

TEST_F(KonfigFile, ShortFileKeepsDefaultsPastItsEnd)
{
    writeBytes(dat, patternRecord().substr(0, 1000));
    TKonfig k = defaultKonfig();
    EXPECT_TRUE(lesKONFIG(k, dat, kLangNorwegianBokmaal));
    const std::string got = recordBytes(k);
    EXPECT_EQ(got.substr(0, 1000), patternRecord().substr(0, 1000));
    EXPECT_EQ(got.substr(1000), recordBytes(defaultKonfig()).substr(1000));
    EXPECT_EQ(k.ListeFont.text(), "Tahoma");

    skrivKONFIG(k, dat);
    EXPECT_EQ(readBytes(dat), got);
}

TEST_F(KonfigFile, LongerFileIsReadToTheRecordAndKeepsItsTail)
{
    const std::string tail = "TAIL";
    writeBytes(dat, patternRecord() + tail);
    TKonfig k = defaultKonfig();
    lesKONFIG(k, dat, kLangNorwegianBokmaal);
    EXPECT_EQ(recordBytes(k), patternRecord());

    k.intStartAnt = k.intStartAnt + 1;
    skrivKONFIG(k, dat);
    const std::string written = readBytes(dat);
    EXPECT_EQ(written.size(), kKonfigSize + tail.size());
    EXPECT_EQ(written.substr(0, kKonfigSize), recordBytes(k));
    EXPECT_EQ(written.substr(kKonfigSize), tail);
}

TEST_F(KonfigFile, LanguageAboveOneReadsAndWritesAsEnglish)
{
    std::string bytes = patternRecord();
    bytes[41] = 7;
    writeBytes(dat, bytes);
    TKonfig k = defaultKonfig();
    lesKONFIG(k, dat, kLangNorwegianBokmaal);
    EXPECT_EQ(k.intVersjon, 1);
    skrivKONFIG(k, dat);
    EXPECT_EQ(readBytes(dat).substr(41, 2), std::string("\x01\x00", 2));
}

TEST_F(KonfigFile, OrderlyClosesCountFromANewFile)
{
    for (int close = 0; close < 2; ++close) {
        TKonfig k = defaultKonfig();
        lesKONFIG(k, dat, kLangEnglishUs);
        k.intStartAnt = k.intStartAnt + 1;
        skrivKONFIG(k, dat);
    }
    TKonfig k = defaultKonfig();
    lesKONFIG(k, dat, kLangEnglishUs);
    EXPECT_EQ(k.intStartAnt, 2u);
}

struct MissingCase {
    const char *name;
    std::uint16_t languageId;
    std::uint16_t intVersjon;
};

class MissingKonfigFile : public KonfigFile, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MissingKonfigFile, TakesTheLanguageFromTheUserAndWritesNothing)
{
    TKonfig k = defaultKonfig();
    EXPECT_FALSE(lesKONFIG(k, dat, GetParam().languageId));
    EXPECT_EQ(k.intVersjon, GetParam().intVersjon);
    EXPECT_FALSE(std::filesystem::exists(dat));
    k.intVersjon = 1;
    EXPECT_EQ(recordBytes(k), recordBytes(defaultKonfig()));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, MissingKonfigFile,
    ::testing::Values(MissingCase{"bokmaal", kLangNorwegianBokmaal, 0},
                      MissingCase{"nynorsk", kLangNorwegianNynorsk, 1},
                      MissingCase{"english", kLangEnglishUs, 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(KonfigFile, UnreadableOrUnwritableFileThrowsIoError)
{
    TKonfig k = defaultKonfig();
    std::filesystem::create_directory(dat); // a folder where the file should be
    EXPECT_THROW(lesKONFIG(k, dat, kLangEnglishUs), IoError);
    EXPECT_THROW(skrivKONFIG(k, dat), IoError);
    EXPECT_THROW(skrivKONFIG(k, folder.path() / "missing" / "kvilbo.dat"), IoError);
    EXPECT_EQ(recordBytes(k), recordBytes(defaultKonfig()));
}

TEST(KonfigFilePath, ReplacesTheProgramsExtension)
{
    EXPECT_EQ(konfigFilePath("/opt/kvilbo/kvilbo"), std::filesystem::path("/opt/kvilbo/kvilbo.dat"));
    EXPECT_EQ(konfigFilePath("/opt/Kvilbo.exe"), std::filesystem::path("/opt/Kvilbo.dat"));
}

struct LocaleCase {
    const char *name;
    const char *locale;
    std::uint16_t languageId;
};

class LocaleLanguage : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleLanguage, MapsToAWindowsLanguageId)
{
    EXPECT_EQ(languageIdOfLocale(GetParam().locale), GetParam().languageId);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, LocaleLanguage,
    ::testing::Values(LocaleCase{"bokmaal", "nb_NO.UTF-8", 1044}, LocaleCase{"norwegian", "no_NO", 1044},
                      LocaleCase{"bareNb", "nb", 1044}, LocaleCase{"nynorsk", "nn_NO.UTF-8", 2068},
                      LocaleCase{"english", "en_US.UTF-8", 1033}, LocaleCase{"german", "de_DE@euro", 1033},
                      LocaleCase{"posix", "C", 1033}, LocaleCase{"empty", "", 1033},
                      LocaleCase{"nbLookalike", "nbx_XX", 1033}),
    [](const auto &info) { return std::string(info.param.name); });

// Restores the locale variables the test changes.
class LocaleEnvironment : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (const auto &[name, value] : m_saved) {
            if (value.has_value())
                setenv(name, value->c_str(), 1);
            else
                unsetenv(name);
        }
    }
    void set(const char *name, const char *value)
    {
        if (m_saved.count(name) == 0) {
            const char *old = std::getenv(name);
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        setenv(name, value, 1);
    }

private:
    std::map<const char *, std::optional<std::string>> m_saved;
};

TEST_F(LocaleEnvironment, FirstSetVariableDecidesInPosixOrder)
{
    set("LC_ALL", "");
    set("LC_MESSAGES", "nn_NO.UTF-8");
    set("LANG", "en_GB.UTF-8");
    EXPECT_EQ(userLanguageId(), kLangNorwegianNynorsk);
    set("LC_ALL", "nb_NO.UTF-8");
    EXPECT_EQ(userLanguageId(), kLangNorwegianBokmaal);
    set("LC_ALL", "");
    set("LC_MESSAGES", "");
    EXPECT_EQ(userLanguageId(), kLangEnglishUs);
    EXPECT_EQ(spraakForLanguageId(kLangNorwegianBokmaal), 0);
    EXPECT_EQ(spraakForLanguageId(kLangNorwegianNynorsk), 1);
}

} // namespace
