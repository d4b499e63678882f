#include "core/error_report.h"
#include "core/io_error.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace kvilbo::core;

namespace {

TEST(ErrorReport, NamesTheClassAndTheInnermostMessage)
{
    try {
        try {
            throw IoError("Cannot read the configuration file /x/kvilbo.dat: Is a directory");
        } catch (...) {
            std::throw_with_nested(std::runtime_error("start-up failed"));
        }
    } catch (const std::exception &e) {
        EXPECT_EQ(innermostMessage(e), "Cannot read the configuration file /x/kvilbo.dat: Is a directory");
        EXPECT_NE(errorClassName(e).find("runtime_error"), std::string::npos) << errorClassName(e);
    }
    EXPECT_EQ(errorClassName(IoError("x")), "kvilbo::core::IoError");
    EXPECT_EQ(innermostMessage(std::logic_error("plain")), "plain");
}

TEST(ErrorReport, DialogTextAndLogText)
{
    const Texts no(0);
    const std::string text = programFeilText(no, "kvilbo::core::IoError", "Disk full");
    EXPECT_EQ(text.substr(0, text.find("\n\n")), "Feilmelding\nkvilbo::core::IoError\nDisk full");
    EXPECT_NE(text.find(no.ss(2403) + "\n" + no.ss(2404) + "\n\n" + no.ss(2405) + "\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), "Feilmeldingen er logget.");

    const Texts en(1);
    EXPECT_EQ(programFeilLogText(en, "kvilbo::core::IoError", "Disk full"),
              "ERROR-> 'kvilbo::core::IoError ->Disk full");
}

} // namespace
