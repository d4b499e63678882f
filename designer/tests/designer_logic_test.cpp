// The designer's rules without windows: snapping and reach, names and tab
// positions of new objects, the property rows, and the card records written.

#include "demo_database.h"
#include "failing_file_system.h"

#include "designer/card_records.h"
#include "designer/design_rules.h"
#include "designer/property_grid.h"
#include "layout/layout_fields.h"

#include <gtest/gtest.h>

using namespace kvilbo::designer;
namespace layout = kvilbo::layout;

TEST(Snap, RoundsToTheNearestGridLine)
{
    EXPECT_EQ(snapTo(12, 5), 10);
    EXPECT_EQ(snapTo(13, 5), 15);
    EXPECT_EQ(snapTo(-3, 5), -5);
    EXPECT_EQ(snapTo(13, 1), 13);
    EXPECT_EQ(snapTo(13, 0), 13);
}

struct ReachCase {
    const char *name;
    QRect in;
    QRect out;
};

class KeepReachable : public ::testing::TestWithParam<ReachCase> {};

TEST_P(KeepReachable, KeepsTheObjectWhollyOnTheSurface)
{
    EXPECT_EQ(keepReachable(GetParam().in, QSize(400, 300)), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeepReachable,
    ::testing::Values(ReachCase{"inside", QRect(10, 20, 50, 40), QRect(10, 20, 50, 40)},
                      ReachCase{"pastLeftAndTop", QRect(-30, -5, 50, 40), QRect(0, 0, 50, 40)},
                      ReachCase{"pastRightAndBottom", QRect(390, 290, 50, 40), QRect(350, 260, 50, 40)},
                      ReachCase{"largerThanSurface", QRect(5, 5, 900, 900), QRect(0, 0, 400, 300)},
                      ReachCase{"collapsed", QRect(10, 10, 0, -5), QRect(10, 10, kMinimumSize, kMinimumSize)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(NewObjects, NumbersFollowTheHighestName)
{
    EXPECT_EQ(nextNumber({"TextBox1", "TextBox4", "Picture9", "DatabaseField7"}, "TextBox"), 5);
    EXPECT_EQ(nextNumber({"Picture1"}, "TextBox"), 1);
    EXPECT_EQ(nextNumber({"DatabaseField12", "DatabaseField3"}, "DatabaseField"), 13);
}

TEST(NewObjects, TabPositionFollowsTheHighestAndWrapsPast253)
{
    EXPECT_EQ(nextTabPosition({"2", "5", "7"}), 8);
    EXPECT_EQ(nextTabPosition({"2", "253"}), 0);
    EXPECT_EQ(nextTabPosition({}), 2);
    EXPECT_EQ(nextTabPosition({" 4 ", "x"}), 5);
}

TEST(NewObjects, PictureInTheTableFolderKeepsItsBareName)
{
    EXPECT_EQ(pictureSourceFor("/data/kort/BILDE.PNG", "/data/kort"), "BILDE.PNG");
    EXPECT_EQ(pictureSourceFor("/data/andre/bilde.png", "/data/kort"), "/data/andre/bilde.png");
    EXPECT_EQ(fieldPlaceholder(7, " NAVN "), "[007 NAVN]");
}

class Grid : public ::testing::Test {
protected:
    kvilbo::core::Texts texts{0};
    PropertyGrid grid{texts, {"Arial", "Verdana"}};
};

TEST_F(Grid, BackgroundShowsItsColourAndNothingElse)
{
    DesignObject o;
    o.kind = ObjectKind::Background;
    o.backgroundColour = 4227200;
    grid.fill(o);
    EXPECT_EQ(grid.row(Row::Navn).value, "Background");
    EXPECT_EQ(grid.row(Row::Type).value, "Background");
    EXPECT_EQ(grid.row(Row::FargeBakgrunn).value, "4227200");
    EXPECT_EQ(grid.row(Row::FargeBakgrunn).style, RowStyle::Ellipsis);
    for (Row r : {Row::FeltNr, Row::Venstre, Row::FontNavn, Row::TabRekkefolge, Row::BildeFilnavn}) {
        EXPECT_EQ(grid.row(r).value, "<Brukes ikke her>");
        EXPECT_TRUE(grid.row(r).readOnly);
    }
}

TEST_F(Grid, TextBoxRoundTripsThroughTheRows)
{
    DesignObject o;
    o.kind = ObjectKind::TextBox;
    o.name = "TextBox3";
    o.align = ObjectAlign::Centre;
    o.text = "Kunde [%FIELD001]";
    o.left = 40, o.top = 50, o.width = 300, o.height = 18;
    o.fontSize = 12;
    o.transparent = true;
    grid.fill(o);
    EXPECT_EQ(grid.row(Row::Justering).value, "Senter");
    EXPECT_FALSE(grid.row(Row::Tekst).readOnly);
    EXPECT_EQ(grid.row(Row::Transparent).value, "Ja");
    grid.setValue(Row::Justering, "Høyre");
    grid.setValue(Row::Venstre, "abc");
    grid.setValue(Row::Bredde, "");
    grid.setValue(Row::FontUthevet, "Ja");
    DesignObject back = o;
    grid.apply(back);
    EXPECT_EQ(back.align, ObjectAlign::Right);
    EXPECT_EQ(back.left, 10);
    EXPECT_EQ(back.width, 100);
    EXPECT_TRUE(back.bold);
    EXPECT_EQ(back.text, o.text);
}

TEST(GridInEnglish, KeysWordsAndChoicesFollowTheLanguage)
{
    kvilbo::core::Texts english{1};
    PropertyGrid grid(english, {});
    DesignObject o;
    o.kind = ObjectKind::DatabaseField;
    o.align = ObjectAlign::Centre;
    o.border = true;
    grid.fill(o);
    EXPECT_EQ(grid.key(Row::TabRekkefolge), "Tab Order");
    EXPECT_EQ(grid.rowOfKey("Tab Order"), PropertyGrid::index(Row::TabRekkefolge));
    EXPECT_EQ(grid.row(Row::Justering).value, "Center");
    EXPECT_EQ(grid.row(Row::Ramme).value, "Yes");
    EXPECT_EQ(grid.row(Row::Transparent).value, "<Not used here>");
    EXPECT_EQ(grid.pickList(Row::Justering), QStringList({"Left", "Center", "Right"}));
    grid.setValue(Row::Ramme, "No");
    grid.setValue(Row::Justering, "Right");
    grid.apply(o);
    EXPECT_FALSE(o.border);
    EXPECT_EQ(o.align, ObjectAlign::Right);
}

TEST_F(Grid, ColourThatIsNotANumberIsAConversionError)
{
    DesignObject o;
    o.kind = ObjectKind::DatabaseField;
    grid.fill(o);
    grid.setValue(Row::FargeTekst, "rød");
    EXPECT_THROW(grid.apply(o), ColourValueError);
}

struct Correction {
    Row row;
    const char *typed;
    const char *kept;
};

class Corrections : public ::testing::TestWithParam<Correction> {};

TEST_P(Corrections, EnterCorrectsOutOfRangeValues)
{
    EXPECT_EQ(PropertyGrid::corrected(GetParam().row, GetParam().typed), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Rows, Corrections,
    ::testing::Values(Correction{Row::FontStorrelse, "120", "10"}, Correction{Row::FontStorrelse, "5", "10"},
                      Correction{Row::FontStorrelse, "99", "99"}, Correction{Row::FontStorrelse, "", "10"},
                      Correction{Row::Bredde, "0", "10"}, Correction{Row::Hoyde, "-3", "10"},
                      Correction{Row::Hoyde, "7", "7"}, Correction{Row::TabRekkefolge, "300", "0"},
                      Correction{Row::TabRekkefolge, "253", "253"}, Correction{Row::Venstre, "0", "0"}));

TEST(CardRecords, SavedCardReadsBackTheSameAndOldRecordsAreMarked)
{
    kvilbo::designer::test::DemoDatabase db;
    auto &FORFIL = db.FORFIL();
    DesignCard card = readDesignCard(FORFIL, db.DBF);
    ASSERT_FALSE(card.objects.empty());
    card.objects.front().left += 7;
    card.background = 123456;
    const int before = FORFIL.RecCount();
    saveCardLayout(FORFIL, cardRecords(card));
    EXPECT_EQ(FORFIL.RecCount(), before + 1 + static_cast<int>(card.objects.size()));
    for (int r = 1; r <= before; ++r) {
        FORFIL.Go(r);
        if (std::stoi("0" + FORFIL.GetF(layout::FormType)) == layout::form::Side)
            EXPECT_TRUE(FORFIL.IsCurrentRecDeleted()) << "old card record " << r;
    }
    const DesignCard again = readDesignCard(FORFIL, db.DBF);
    EXPECT_EQ(again.background, 123456u);
    ASSERT_EQ(again.objects.size(), card.objects.size());
    for (std::size_t i = 0; i < card.objects.size(); ++i) {
        const DesignObject &a = card.objects[i], &b = again.objects[i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(QRect(a.left, a.top, a.width, a.height), QRect(b.left, b.top, b.width, b.height));
        EXPECT_EQ(a.text, b.text);
        EXPECT_EQ(a.hint, b.hint);
        EXPECT_EQ(a.fieldNumber, b.fieldNumber);
        EXPECT_EQ(a.textColour, b.textColour);
        EXPECT_EQ(a.transparent, b.transparent);
    }
}

class SaveFailure : public ::testing::TestWithParam<double> {};

// One write of the layout table fails somewhere in the save (at the given share of
// its writes): the save reports it and the table still holds the old card, once.
TEST_P(SaveFailure, LeavesTheOldCardWhole)
{
    kvilbo::designer::test::DemoDatabase db;
    auto countdown = std::make_shared<int>(-1);
    db.close();
    db.open(std::make_shared<kvilbo::designer::test::OneFailingWrite>(".for", countdown));
    const DesignCard original = readDesignCard(db.FORFIL(), db.DBF);
    DesignCard changed = original;
    changed.objects.front().left += 5;

    // A first save of the unchanged card counts the writes a save makes.
    const int writesBefore = 1000000;
    *countdown = writesBefore;
    const int before = db.FORFIL().RecCount();
    saveCardLayout(db.FORFIL(), cardRecords(original));
    const int writes = writesBefore - *countdown;
    ASSERT_GT(writes, 10);
    EXPECT_EQ(readDesignCard(db.FORFIL(), db.DBF).objects.size(), original.objects.size());
    EXPECT_GT(db.FORFIL().RecCount(), before);

    *countdown = static_cast<int>(GetParam() * (writes - 1));
    EXPECT_ANY_THROW(saveCardLayout(db.FORFIL(), cardRecords(changed)));
    *countdown = -1;
    db.close();
    db.open();
    const DesignCard after = readDesignCard(db.FORFIL(), db.DBF);
    ASSERT_EQ(after.objects.size(), original.objects.size());
    EXPECT_EQ(after.objects.front().left, original.objects.front().left);
}

INSTANTIATE_TEST_SUITE_P(AtShareOfTheWrites, SaveFailure, ::testing::Values(0.0, 0.3, 0.8, 0.97));
