#include "core/config.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

using namespace kvilbo::core;

namespace {

std::string recordBytes(const TKonfig &k)
{
    return std::string(reinterpret_cast<const char *>(&k), sizeof k);
}

struct FieldCase {
    const char *name;
    std::size_t offset;
    std::size_t size;
    std::size_t expectedOffset;
    std::size_t expectedSize;
};

#define FIELD(field, off, size) FieldCase{#field, offsetof(TKonfig, field), sizeof(TKonfig::field), off, size}

class KonfigFieldOffsets : public ::testing::TestWithParam<FieldCase> {};

TEST_P(KonfigFieldOffsets, SitsWhereTheFileHasIt)
{
    const auto &c = GetParam();
    EXPECT_EQ(c.offset, c.expectedOffset);
    EXPECT_EQ(c.size, c.expectedSize);
}

INSTANTIATE_TEST_SUITE_P(
    Record, KonfigFieldOffsets,
    ::testing::Values(
        FIELD(intIdent, 0, 41), FIELD(intVersjon, 41, 2), FIELD(intStartAnt, 43, 4),
        FIELD(reserved, 47, 151), FIELD(bootListeView, 198, 1), FIELD(bootDBFvalg, 199, 1),
        FIELD(bootDBFsiste, 200, 255), FIELD(bootDBFalltid, 455, 255), FIELD(DefMappeJN, 710, 1),
        FIELD(DefMappePATH, 711, 255), FIELD(bootVinduValg, 966, 1), FIELD(bootVinduLeft, 967, 2),
        FIELD(bootVinduTop, 969, 2), FIELD(bootVinduWidth, 971, 2), FIELD(bootVinduHeight, 973, 2),
        FIELD(bootFargerHUE, 975, 2), FIELD(bootFargerSAT, 977, 2), FIELD(bootSplashScreen, 979, 1),
        FIELD(DefEsc, 980, 1), FIELD(NetZombieTime, 981, 2), FIELD(DefAarHundre, 983, 2),
        FIELD(DefTvingNyMemo, 985, 1), FIELD(FormSTG, 986, 1), FIELD(FormTFont, 987, 101),
        FIELD(FormTFSTR, 1088, 1), FIELD(FormTFF, 1089, 1), FIELD(FormTFK, 1090, 1),
        FIELD(FormTFU, 1091, 1), FIELD(FormTFT, 1092, 16), FIELD(FormTFBG, 1108, 16),
        FIELD(FormDFont, 1124, 101), FIELD(FormDFSTR, 1225, 1), FIELD(FormDFF, 1226, 1),
        FIELD(FormDFK, 1227, 1), FIELD(FormDFU, 1228, 1), FIELD(FormDFT, 1229, 16),
        FIELD(FormDFBG, 1245, 16), FIELD(ListeFont, 1261, 101), FIELD(ListeFSTR, 1362, 1),
        FIELD(ListeFF, 1363, 1), FIELD(ListeFU, 1364, 1), FIELD(ListeFK, 1365, 1),
        FIELD(ListeSortBlank, 1366, 1), FIELD(ListeFargeT, 1367, 16), FIELD(ListeFargeBG, 1383, 16),
        FIELD(ListeFargeNN, 1399, 16), FIELD(ListeFargeNP, 1415, 16), FIELD(ListeFargeL, 1431, 16),
        FIELD(ListeFargeD, 1447, 16), FIELD(ListeHoyde, 1463, 1), FIELD(ListeStdTxt1, 1464, 251),
        FIELD(ListeStdTxt2, 1715, 251), FIELD(ListeStdTxt3, 1966, 251), FIELD(ListeStdTxt4, 2217, 251),
        FIELD(UtskriftFontN, 2468, 101), FIELD(UtskriftFontS, 2569, 1), FIELD(UtskriftFontF, 2570, 1),
        FIELD(UtskriftFontK, 2571, 1), FIELD(UtskriftFontU, 2572, 1), FIELD(UtskriftFarge, 2573, 16),
        FIELD(UtskriftTTV, 2589, 51), FIELD(UtskriftTTM, 2640, 51), FIELD(UtskriftTTH, 2691, 51),
        FIELD(UtskriftST, 2742, 101), FIELD(UtskriftBTV, 2843, 51), FIELD(UtskriftBTM, 2894, 51),
        FIELD(UtskriftBTH, 2945, 51)),
    [](const auto &info) { return std::string(info.param.name); });

#undef FIELD

// Expected default bytes at their offsets: numbers little-endian, texts as length byte and characters.
TEST(KonfigDefaults, LandOnTheirBytes)
{
    const std::string b = recordBytes(defaultKonfig());
    const auto at = [&](std::size_t offset, std::size_t n) { return b.substr(offset, n); };
    EXPECT_EQ(at(41, 2), std::string("\x01\x00", 2));       // intVersjon 1 until the language is known
    EXPECT_EQ(at(43, 4), std::string(4, '\0'));             // intStartAnt
    EXPECT_EQ(at(47, 151), std::string(151, '\0'));         // reserved
    EXPECT_EQ(at(198, 2), std::string("\x01\x00", 2));      // bootListeView, bootDBFvalg
    EXPECT_EQ(at(200, 255), std::string(255, '\0'));        // empty path
    EXPECT_EQ(at(971, 4), std::string("\xE8\x03\x84\x03")); // 1000 by 900
    EXPECT_EQ(at(979, 7), std::string("\x01\x01\x1E\x00\xD0\x07\x00", 7));
    EXPECT_EQ(at(986, 10), std::string("\x05\x08Segoe UI"));
    EXPECT_EQ(at(1088, 4), std::string("\x0A\x00\x00\x00", 4));
    EXPECT_EQ(at(1092, 16), std::string("\x07" "4194432" "\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(at(1108, 9), std::string("\x08" "16777215"));
    EXPECT_EQ(at(1225, 4), std::string("\x0A\x00\x01\x00", 4)); // database fields in italic
    EXPECT_EQ(at(1229, 8), std::string("\x07" "4011307"));
    EXPECT_EQ(at(1261, 7), std::string("\x06Tahoma"));
    EXPECT_EQ(at(1362, 5), std::string("\x09\x00\x00\x00\x01", 5));
    EXPECT_EQ(at(1399, 2), std::string("\x01" "0"));
    EXPECT_EQ(b[1463], 21);
    EXPECT_EQ(at(1464, 73), "\x48This is the standard text for button 1 - go to the config to change text");
    EXPECT_EQ(at(2217, 73), "\x48This is the standard text for button 4 - go to the config to change text");
    EXPECT_EQ(at(2569, 6), std::string("\x0A\x00\x00\x00\x01" "0", 6));
    EXPECT_EQ(at(2589, 7), "\x06[%JOB]");
    EXPECT_EQ(at(2640, 1), std::string(1, '\0'));
    EXPECT_EQ(at(2691, 16), "\x0F[%DATE] [%TIME]");
    EXPECT_EQ(at(2945, 15), "\x0EPage [%PAGENO]");
}

TEST(KonfigDefaults, NameKvilboAndItsMaker)
{
    const TKonfig k = defaultKonfig();
    EXPECT_EQ(k.intIdent.text(), "KVILBO.DAT (WWW.KVILBO.EXAMPLE)");
    EXPECT_NE(k.UtskriftST.text().find("Kvilbo"), std::string::npos);
    EXPECT_NE(k.UtskriftST.text().find("www.kvilbo.example"), std::string::npos);
    EXPECT_LE(k.UtskriftST.raw().size(), 100u);
}

TEST(KonfigText, StoresCp1252WithLengthByteAndCutsToCapacity)
{
    TKonfig k = defaultKonfig();
    k.DefMappePATH.setText("/home/b\xC3\xB8" "r");
    EXPECT_EQ(recordBytes(k).substr(711, 10), std::string("\x09/home/b\xF8r"));
    EXPECT_EQ(k.DefMappePATH.text(), "/home/b\xC3\xB8r");

    k.DefMappePATH.setText(std::string(300, 'x'));
    EXPECT_EQ(static_cast<unsigned char>(recordBytes(k)[711]), 254);
    EXPECT_EQ(k.DefMappePATH.text(), std::string(254, 'x'));

    // A shorter text clears what the longer one left behind.
    k.DefMappePATH.setText("ab");
    EXPECT_EQ(recordBytes(k).substr(711, 255), std::string("\x02" "ab") + std::string(252, '\0'));
}

TEST(KonfigText, DamagedLengthByteReadsNoFurtherThanTheField)
{
    TKonfig k = defaultKonfig();
    std::memset(reinterpret_cast<unsigned char *>(&k) + 2589, 0xFF, 1); // UtskriftTTV, capacity 50
    EXPECT_EQ(k.UtskriftTTV.raw().size(), 50u);
}

TEST(KonfigNumbers, AreLittleEndianAndKeepTheirSign)
{
    TKonfig k = defaultKonfig();
    k.bootFargerHUE = -5;
    k.intStartAnt = 0x01020304;
    k.bootVinduLeft = 65000;
    const std::string b = recordBytes(k);
    EXPECT_EQ(b.substr(975, 2), "\xFB\xFF");
    EXPECT_EQ(b.substr(43, 4), "\x04\x03\x02\x01");
    EXPECT_EQ(b.substr(967, 2), "\xE8\xFD");
    EXPECT_EQ(k.bootFargerHUE, -5);
    EXPECT_EQ(k.intStartAnt, 0x01020304u);
    EXPECT_EQ(k.bootVinduLeft, 65000);
}

TEST(KonfigFlags, WriteZeroOrOneAndReadAnyNonZeroAsSet)
{
    TKonfig k = defaultKonfig();
    k.DefTvingNyMemo = true;
    EXPECT_EQ(recordBytes(k)[985], 1);
    k.DefTvingNyMemo = false;
    EXPECT_EQ(recordBytes(k)[985], 0);
    reinterpret_cast<unsigned char *>(&k)[985] = 0x54;
    EXPECT_TRUE(k.DefTvingNyMemo);
}

struct ColourCase {
    const char *name;
    const char *text;
    std::uint32_t value;
};

class ColourText : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourText, ReadsTheLow24Bits)
{
    EXPECT_EQ(colourFromText(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ColourText,
    ::testing::Values(ColourCase{"black", "0", 0}, ColourCase{"white", "16777215", 0xFFFFFF},
                      ColourCase{"red128blue64", "4194432", 0x400080},
                      ColourCase{"systemColourBitsDropped", "2147483663", 0x00000F},
                      ColourCase{"negativeWraps", "-1", 0xFFFFFF},
                      ColourCase{"blanksAround", " 255 ", 255}, ColourCase{"empty", "", 0},
                      ColourCase{"word", "clRed", 0}, ColourCase{"trailingJunk", "12abc", 0},
                      ColourCase{"tooBig", "99999999999999999999999", 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(KonfigColour, StoresTheDecimalTextOfTheLow24Bits)
{
    TKonfig k = defaultKonfig();
    k.ListeFargeBG.setColour(0x7F400080);
    EXPECT_EQ(k.ListeFargeBG.text(), "4194432");
    EXPECT_EQ(k.ListeFargeBG.colour(), 0x400080u);
    EXPECT_EQ(defaultKonfig().FormDFT.colour(), 4011307u);
}

} // namespace
