#include "core/messages.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Quoted texts of every part of the program, looked up the way the program
// does it, so that a fault in loading the compiled-in table (trimmed blanks,
// broken escapes, wrong language offset) or a slip in the data shows up.

namespace kvilbo::resources::testing {
namespace {

enum class Language { Norwegian = 0, English = 1 };

struct LookupCase
{
    const char *name;
    int number;
    Language language;
    const char *text;
};

void PrintTo(const LookupCase &c, std::ostream *os)
{
    *os << "text " << c.number << (c.language == Language::English ? " English" : " Norwegian");
}

class TextLookup : public ::testing::TestWithParam<LookupCase>
{
};

TEST_P(TextLookup, GivesTheQuotedText)
{
    const auto &c = GetParam();
    const core::Texts texts(static_cast<std::uint16_t>(c.language));
    EXPECT_EQ(texts.ss(c.number), std::string(c.text));
}

constexpr auto NO = Language::Norwegian;
constexpr auto EN = Language::English;

INSTANTIATE_TEST_SUITE_P(
    QuotedTexts, TextLookup,
    ::testing::Values(
        LookupCase{"InfoMissingPicture", 1290, NO, "[FIL IKKE FUNNET!]"},
        LookupCase{"InfoNetworkKeepsTrailingBlank", 1283, NO, "Nettverk -> "},
        LookupCase{"ChooseFieldDecimalsColumn", 1106, EN, "Dec"},
        LookupCase{"FieldListNote", 1101, EN, "Overview of all fields associated with this database"},
        LookupCase{"LogNoDatabase", 2026, NO, "Ingen Database \u00E5pen"},
        LookupCase{"LogNoDatabaseEnglish", 2026, EN, "NO DATABASE OPEN"},
        LookupCase{"ErrorLogLine", 2050, NO, "FEILMELDING->'%0:s ->%1:s"},
        LookupCase{"OpenDialogFilter", 2098, EN, "Database files (*.dbf)|*.DBF|All files (*.*)|*.*"},
        LookupCase{"StatusKeepsLeadingBlanks", 2100, NO, "  INGEN DATABASE \u00C5PEN"},
        LookupCase{"WelcomeNotice", 2106, EN, "Welcome To Kvilbo, version %0:s"},
        LookupCase{"DefaultCardHeading", 2032, EN, "Standard headline of this database"},
        LookupCase{"DefaultCardTemplateLine", 2037, NO, "Databasens filnavn : [%DBFNAME] Dagens dato er : [%DATE]."},
        LookupCase{"MarkingMenuDelete", 2205, NO, "Fysisk slett alle kort som er markert"},
        LookupCase{"PrintMenuMarkedCards", 2301, EN, "Print hole records (only marked records)"},
        LookupCase{"ErrorDialogCaption", 2411, NO, "Feilmelding fra programmet Kvilbo"},
        LookupCase{"ErrorDialogFirstLine", 2400, EN, "An error has occured in your application, we regret this."},
        LookupCase{"CancelButton", 2510, EN, "Cancel"},
        LookupCase{"LogIconHint", 2600, NO, "Klikk for \u00E5 \u00E5pne loggfila"},
        LookupCase{"ObjectHandlerHeading", 2700, EN, "  OBJECT"},
        LookupCase{"AlignRight", 2852, NO, "H\u00F8yre"},
        LookupCase{"TemplateNoDatabase", 2900, EN, "no open database"},
        LookupCase{"WelcomeCheckBox", 3013, NO, "Ikke vis dette vinduet neste gang programmet starter"},
        LookupCase{"WizardDefaultName", 4070, NO, "UTEN_NAVN"},
        LookupCase{"WizardOverwrite", 4082, EN,
                   "Warning: file %0:s already exists. ARE YOU SURE YOU WANT TO DELETE THIS FILE AND continue "
                   "CREATING A NEW FILE?"},
        LookupCase{"ListSettingsCaption", 5000, EN, "Preferences in list-view"},
        LookupCase{"EditorFilter", 6100, EN, "Text Files (*.txt)|*.TXT|All files (*. *)|*. *"},
        LookupCase{"JobLineKeepsTrailingBlank", 7012, NO, "Jobb : "},
        LookupCase{"PreviewPageLabel", 7041, EN, "PAGE %0:d OF %1:d"},
        LookupCase{"LabelSettingsMissing", 7102, NO,
                   "INNSTILLINGER TIL UTSKRIFT AV ETIKETTER IKKE FUNNET - G\u00C5 TIL UTSKRIFTSINNSTILLINGEN TIL "
                   "DENNE DATABASE FOR \u00C5 LAGE NYE"},
        LookupCase{"ChooseFieldCaption", 8000, NO, "Felter"},
        LookupCase{"SearchResult", 9320, NO, "Ditt s\u00F8kekriteria er funnet og markert p\u00E5 %0:d av %1:d kort"},
        LookupCase{"LogViewerCount", 10031, EN, "%0:d items"},
        LookupCase{"LogViewerTrim", 10100, NO, "Loggfila trenger \u00E5 trimmes"},
        LookupCase{"BoldButton", 11105, EN, "B"},
        LookupCase{"CardPrintLastLine", 11530, NO, "Siste linje i kort "},
        LookupCase{"LabelSample", 11698, NO, "Etikett Pr\u00F8ve"},
        LookupCase{"SettingsMemoFile", 12245, EN,
                   "Force Kvilbo to create new, and empty memofile if this is missing (.FPT / .DBF)"},
        LookupCase{"SettingsCaption", 12000, NO, "Konfigurasjon"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kvilbo::resources::testing
