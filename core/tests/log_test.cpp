#include "core/io_error.h"
#include "core/messages.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

using namespace kvilbo::core;

namespace {

std::vector<std::string> crlfLines(const std::string &bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "the log must end with CR LF";
    return lines;
}

// A log in a temporary folder with a clock the test sets.
class LogTest : public ::testing::Test
{
protected:
    LogTest()
    {
        log.setClock([this] { return now; });
        log.setMessageLineHook([this](const Log::MessageLines &lines) { shown.push_back(lines); });
        log.setTableNameProvider([this] { return table; });
    }

    std::vector<std::string> logLines() const { return crlfLines(readBytes(log.filePath())); }

    TempFolder folder;
    Texts texts{0};
    Log log{folder.path(), texts};
    LogTime now{2015, 3, 14, 9, 41, 7};
    std::string table;
    std::vector<Log::MessageLines> shown;
};

TEST_F(LogTest, LineHasDateTimeTableNameArrowAndMessageInCp1252)
{
    table = "/data/kunder/KUNDER.DBF ";
    log.MSG("\xC3\x85pnet database KUNDER.DBF");
    EXPECT_EQ(log.filePath(), folder.path() / "Kvilbo.LOG");
    EXPECT_EQ(readBytes(log.filePath()), "14.03.2015 09:41:07 (KUNDER.DBF)->\xC5pnet database KUNDER.DBF\r\n");
}

TEST_F(LogTest, FirstStartCreatesTheLogWithItsOwnFirstLine)
{
    texts.setSpraak(1); // the start is logged before the settings are read
    log.MSG(kProgramStart);
    EXPECT_EQ(logLines(), (std::vector<std::string>{
                              "14.03.2015 09:41:07 (NO DATABASE OPEN)->NEW LOGFILE CREATED",
                              "14.03.2015 09:41:07 (NO DATABASE OPEN)->***PROGRAM START***"}));
    EXPECT_TRUE(shown.empty());

    now.second = 9;
    texts.setSpraak(0);
    log.MSG(kProgramStart);
    ASSERT_EQ(logLines().size(), 3u);
    EXPECT_EQ(logLines()[2], "14.03.2015 09:41:09 (Ingen Database \xE5pen)->***PROGRAM START***");
}

TEST_F(LogTest, EveryMessageIsAppended)
{
    log.MSG(kProgramStart);
    log.MSG("en");
    log.MSG("to", false, true);
    log.MSG("***PROGRAM END***");
    const auto lines = logLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], "14.03.2015 09:41:07 (Ingen Database \xE5pen)->en");
    EXPECT_EQ(lines[4], "14.03.2015 09:41:07 (Ingen Database \xE5pen)->***PROGRAM END***");
}

TEST_F(LogTest, MessageLineShowsTheLastThreeNewestFirst)
{
    for (int i = 1; i <= 4; ++i) {
        now.second = 10 + i;
        log.MSG("melding " + std::to_string(i));
    }
    const Log::MessageLines expected{"09:41:14 melding 4", "09:41:13 melding 3", "09:41:12 melding 2"};
    EXPECT_EQ(log.messageLines(), expected);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown.back(), expected);
    EXPECT_EQ(shown.front(), (Log::MessageLines{"09:41:11 melding 1", "", ""}));
}

TEST_F(LogTest, EngineWarningsStartAndEndStayOffTheMessageLine)
{
    log.MSG(kProgramStart);
    log.MSG("OPENDATABASE->Ukjent database type", false, true);
    log.MSG(texts.ss(2055));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(log.messageLines(), Log::MessageLines{});
    EXPECT_EQ(logLines().size(), 4u);
}

TEST_F(LogTest, SoundComesAfterTheMessageIsShown)
{
    std::vector<std::string> events;
    log.setMessageLineHook([&](const Log::MessageLines &) { events.push_back("shown"); });
    log.setBeepHook([&] { events.push_back("beep"); });
    log.MSG("stille");
    log.MSG("lyd", true);
    log.MSG("driver med lyd", true, true);
    EXPECT_EQ(events, (std::vector<std::string>{"shown", "shown", "beep", "beep"}));
}

TEST_F(LogTest, MultiLineMessageStaysOneEvent)
{
    log.MSG("ERROR-> 'IoError ->Cannot read\r\nsecond line");
    EXPECT_EQ(logLines(), (std::vector<std::string>{
                              "14.03.2015 09:41:07 (Ingen Database \xE5pen)->ERROR-> 'IoError ->Cannot read  second line"}));
}

TEST_F(LogTest, DeletedLogIsStartedAgain)
{
    log.MSG(kProgramStart);
    std::filesystem::remove(log.filePath());
    log.MSG("etter sletting");
    EXPECT_EQ(logLines().size(), 1u);
}

TEST_F(LogTest, UnwritableLogThrowsIoError)
{
    Log lost(folder.path() / "missing", texts);
    EXPECT_THROW(lost.MSG(kProgramStart), IoError);
    std::filesystem::create_directory(log.filePath()); // a folder where the log should be
    EXPECT_THROW(log.MSG("x"), IoError);
}

TEST_F(LogTest, ReadsLinesOfAnyLineEndInCp1252OrMarkedUtf8)
{
    writeBytes(log.filePath(), "en \xE5\r\nto\ntre\rfire");
    EXPECT_EQ(log.readLines(), (std::vector<std::string>{"en \xC3\xA5", "to", "tre", "fire"}));
    writeBytes(log.filePath(), "\xEF\xBB\xBF" "en \xC3\xA5\r\n\r\n");
    EXPECT_EQ(log.readLines(), (std::vector<std::string>{"en \xC3\xA5", ""}));
    std::filesystem::remove(log.filePath());
    EXPECT_THROW(log.readLines(), IoError);
}

struct TrimCase {
    const char *name;
    int lines;
    int kept;
};

class LogTrim : public LogTest, public ::testing::WithParamInterface<TrimCase> {};

TEST_P(LogTrim, KeepsTheNewestLines)
{
    std::string bytes;
    for (int i = 1; i <= GetParam().lines; ++i)
        bytes += "linje " + std::to_string(i) + " \xF8\r\n";
    writeBytes(log.filePath(), bytes);
    log.trimTo(500);
    const auto lines = logLines();
    ASSERT_EQ(static_cast<int>(lines.size()), GetParam().kept);
    EXPECT_EQ(lines.front(), "linje " + std::to_string(GetParam().lines - GetParam().kept + 1) + " \xF8");
    EXPECT_EQ(lines.back(), "linje " + std::to_string(GetParam().lines) + " \xF8");
    EXPECT_FALSE(std::filesystem::exists(log.filePath().string() + ".trim"));
    log.MSG("etter trim");
    EXPECT_EQ(static_cast<int>(logLines().size()), GetParam().kept + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, LogTrim,
    ::testing::Values(TrimCase{"exactlyTheLimit", 500, 500}, TrimCase{"oneOver", 501, 500},
                      TrimCase{"twiceTheLimit", 1000, 500}, TrimCase{"few", 3, 3}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LogClock, RealClockGivesTheLineFormat)
{
    TempFolder folder;
    Texts texts(1);
    Log log(folder.path(), texts);
    const std::regex format(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d \(NO DATABASE OPEN\)->x)");
    EXPECT_TRUE(std::regex_match(log.logLine("x"), format)) << log.logLine("x");
}

TEST(Stopwatch, StartsStopsAndIgnoresOtherWords)
{
    Stopwatch watch;
    EXPECT_EQ(watch.TidTeller("stopp").substr(0, 2), "0 ") << "a stop without a start counts from now";
    EXPECT_EQ(watch.TidTeller("start"), "");
    EXPECT_TRUE(std::regex_match(watch.TidTeller("stopp"), std::regex(R"(\d+ ms)")));
    EXPECT_EQ(watch.TidTeller("Start"), "");
    EXPECT_EQ(watch.TidTeller(""), "");
}

} // namespace
