#include "engine/dbf_table.h"

#include "engine/dbf_messages.h"

#include <ctime>

namespace kvilbo::engine {
namespace {

struct VersionName {
    std::uint8_t version;
    const char *longName;
    const char *shortName;
};

constexpr VersionName kVersionNames[] = {
    {0x02, "Foxbase/dBaseII", "FOXBASE/DBASEII"},
    {0x03, "Foxbase+/dBaseIII+", "DBASEIII+"},
    {0x04, "dBaseIV", "DBASEIV"},
    {0x05, "dBaseV", "DBASEV"},
    {0x30, "Visual Foxpro", "FOXPRO"},
    {0x31, "Visual Foxpro w/ AutoInc field", "FOXPRO"},
    {0x32, "Visual Foxpro w/ VARCHAR/VARBINARY field", "FOXPRO"},
    {0x43, "dBaseIV SQL table", "DBASEIV"},
    {0x63, "dBaseIV SQL systemfile", "DBASEIV"},
    {0x7B, "dBaseIV med memofile", "DBASEIV"},
    {0x83, "Foxbase+/dBaseIII+ w/ memofile", "DBASEIII+"},
    {0x8B, "dBaseIV with memo", "DBASEIV"},
    {0xCB, "dBaseIV SQL table w/ memo", "DBASEIV"},
    {0xE5, "Clipper/Hiper-Six format w/ smt memofile", "CLIPPER"},
    {0xEB, "dBaseIV SQL systemfile w/ memofile", "DBASEIV"},
    {0xF5, "Foxpro 2.0 (or older) w/ memofile", "FOXPRO"},
    {0xFB, "Foxbase", "FOXBASE"},
};

struct CodePageName {
    std::uint8_t id;
    const char *name;
};

constexpr CodePageName kCodePages[] = {
    {0x01, "437 U.S. MS-DOS"},
    {0x02, "850 International MS-DOS"},
    {0x03, "1252 Windows ANSI"},
    {0x04, "10000 Standard Macintosh"},
    {0x64, "852 Eastern european MS-DOS"},
    {0x65, "866 Russian MS-DOS"},
    {0x66, "865 Nordic MS-DOS"},
    {0x67, "861 Icelandic MS-DOS"},
    {0x68, "895 Kamanicky (Czech) MS-DOS"},
    {0x69, "620 Mazovia (Polish) MS-DOS"},
    {0x6A, "737 Greek MS-DOS"},
    {0x6B, "857 Turkish MS-DOS"},
    {0x78, "950 Chinese (Hong Kong SAR, Taiwan) Windows"},
    {0x79, "949 Korean Windows"},
    {0x7A, "936 Chinese (PRC, Singapore) Windows"},
    {0x7B, "932 Japanese Windows"},
    {0x7C, "874 Thai Windows"},
    {0x7D, "1255 Hebrew Windows"},
    {0x7E, "1256 Arabic Windows"},
    {0x96, "10007 Russian Macintosh"},
    {0x97, "10029 Macintosh EE"},
    {0x98, "10006 Greek Macintosh"},
    {0xC8, "1250 Eastern European Windows"},
    {0xC9, "1251 Russian Windows"},
    {0xCA, "1254 Turkish Windows"},
    {0xCB, "1253 Greek Windows"},
};

const VersionName *versionName(std::uint8_t v)
{
    for (const VersionName &n : kVersionNames)
        if (n.version == v)
            return &n;
    return nullptr;
}

std::string hexByte(std::uint8_t b)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[b >> 4], kDigits[b & 0x0F]};
}

std::string longTypeName(std::uint8_t v)
{
    const VersionName *n = versionName(v);
    return n ? n->longName : "Unknown databasetype";
}

std::string shortTypeName(std::uint8_t v)
{
    const VersionName *n = versionName(v);
    return n ? n->shortName : "UNKNOWN TYPE";
}

std::string codePageName(std::uint8_t id)
{
    for (const CodePageName &c : kCodePages)
        if (c.id == id)
            return c.name;
    return "Unknown CodePage";
}

} // namespace

std::string TDbfTable::askdbf(std::uint8_t valg)
{
    if (!FDBFIsOpened)
        return {};
    const bool memoOpen = FDBFmemo && m_memoFile;
    switch (valg) {
    case 1:
        return std::to_string(FSize());
    case 2:
        return "KvilboDBF v1.0";
    case 3:
        return hexByte(FDBFHeader.version) + "h - " + longTypeName(FDBFHeader.version);
    case 4: {
        const std::time_t t = m_fs->modifiedTime(m_file->path());
        std::tm tm{};
        localtime_r(&t, &tm);
        return std::to_string(tm.tm_mday) + "/" + std::to_string(tm.tm_mon + 1) + "-" +
               std::to_string(tm.tm_year + 1900);
    }
    case 5:
        return hexByte(FDBFHeader.LangDrv) + "h - " + codePageName(FDBFHeader.LangDrv);
    case 6: {
        const int year = FDBFHeader.year >= 80 ? 1900 + FDBFHeader.year : 2000 + FDBFHeader.year;
        return std::to_string(FDBFHeader.day) + "/" + std::to_string(FDBFHeader.month) + "-" +
               std::to_string(year);
    }
    case 7:
        if (!memoOpen)
            return {};
        if (m_memoKind == MemoKind::FoxPro)
            return "FoxPro/VisualFoxPro FPT";
        return m_memoKind == MemoKind::DBase3 ? "dBaseIII+ & eldre DBT" : "dBaseIV & nyere DBT";
    case 8:
        return fileNamePart(FDBFmemoNavn);
    case 9:
        return memoOpen ? std::to_string(m_memoFile->size()) : std::string(msg::kNoMemoOpen);
    case 10:
        return shortTypeName(FDBFHeader.version) + " DBF" + (memoOpen ? " W/MEMOFILE" : "");
    default:
        return {};
    }
}

std::string TDbfTable::HeaderStru(std::uint8_t linje)
{
    if (!m_file || linje == 0)
        return {};
    std::uint8_t bytes[16];
    const std::size_t got = m_file->readAt((linje - 1u) * 16u, bytes, sizeof bytes);
    std::string text;
    text.reserve(48);
    for (std::size_t i = 0; i < got; ++i)
        text += hexByte(bytes[i]) + " ";
    return text;
}

} // namespace kvilbo::engine
