#include "platform/ProfileSettings.h"

#include "resources/CommandIds.h"
#include "settings/TabWidthText.h"
#include "tests/support/EditorFixture.h"

namespace {

using namespace ProfileSettings;
using ProfileSettingsTest = CEditorFixture;

} // namespace

TEST_F(ProfileSettingsTest, AnEmptyProfileGivesTheDefaults) {
    EXPECT_EQ(BrowserPath(CBrowser::First), "");
    EXPECT_EQ(BrowserPath(CBrowser::Second), "");
    EXPECT_EQ(ToolBarType(), 1);
    EXPECT_EQ(TabStop(), 32);
    EXPECT_FALSE(FontBlock());
    EXPECT_EQ(ButtonHidden(Cmd::kFileBlank), 1);
    EXPECT_EQ(ButtonHidden(Cmd::kInsertTime), 1);
    EXPECT_EQ(ButtonHidden(Cmd::kFileNew), 0);
    const CDateTimeFormats f = DateTimeFormats();
    EXPECT_EQ(f.date, 1);
    EXPECT_EQ(f.time, 1);
    EXPECT_EQ(f.dateEx, "");
    EXPECT_EQ(f.timeEx, "");
}

TEST_F(ProfileSettingsTest, ValuesLandUnderTheirSectionsAndKeys) {
    PutBrowserPath(CBrowser::First, "/a");
    PutBrowserPath(CBrowser::Second, "/b");
    PutButtonHidden(Cmd::kFileBlank, 0);
    PutDateTimeFormats({0, "\x94\x4e", 3, "%H"});
    EXPECT_EQ(Profile().GetString("Browser", "IE", ""), "/a");
    EXPECT_EQ(Profile().GetString("Browser", "NN", ""), "/b");
    EXPECT_EQ(Profile().GetInt("ToolBar", "32771", -1), 0);
    EXPECT_EQ(ButtonHidden(Cmd::kFileBlank), 0);
    EXPECT_EQ(Profile().GetInt("DateTimeFormat", "Date", -1), 0);
    EXPECT_EQ(Profile().GetString("DateTimeFormat", "DateEx", ""), "\x94\x4e");
    EXPECT_EQ(Profile().GetInt("DateTimeFormat", "Time", -1), 3);
    EXPECT_EQ(Profile().GetString("DateTimeFormat", "TimeEx", ""), "%H");
}

TEST(TabWidthText, AcceptsWholeNumbersFromOneToSixteen) {
    EXPECT_EQ(CheckTabWidth("1").columns, 1);
    EXPECT_EQ(CheckTabWidth("16").columns, 16);
    EXPECT_EQ(CheckTabWidth(" 8\t").columns, 8);
    EXPECT_EQ(CheckTabWidth("+4").columns, 4);
    EXPECT_TRUE(CheckTabWidth("08").problem.isEmpty());
}

TEST(TabWidthText, TellsTextThatIsNoIntegerApartFromANumberOutOfRange) {
    const QString integer = QStringLiteral("タブの桁数には整数を入力してください。");
    const QString range = QStringLiteral("タブの桁数には 1 から 16 までの整数を入力してください。");
    for (const char* text : {"", " ", "abc", "8px", "4.5", "1 2", "--1"})
        EXPECT_EQ(CheckTabWidth(text).problem, integer) << text;
    EXPECT_EQ(CheckTabWidth(QStringLiteral("８")).problem, integer);
    for (const char* text : {"0", "17", "-3", "99999999999999"})
        EXPECT_EQ(CheckTabWidth(text).problem, range) << text;
}

TEST_F(ProfileSettingsTest, ViewSwitchesDefaultToColourAndMarksOnAndLineNumbersOff) {
    EXPECT_TRUE(ViewSwitch(CViewSwitch::Colour));
    EXPECT_TRUE(ViewSwitch(CViewSwitch::MarkDependent));
    EXPECT_FALSE(ViewSwitch(CViewSwitch::LineNumbers));
    PutViewSwitch(CViewSwitch::Colour, false);
    PutViewSwitch(CViewSwitch::MarkDependent, false);
    PutViewSwitch(CViewSwitch::LineNumbers, true);
    EXPECT_EQ(Profile().GetInt("View", "Colour", -1), 0);
    EXPECT_EQ(Profile().GetInt("View", "MarkDependent", -1), 0);
    EXPECT_EQ(Profile().GetInt("View", "LineNumbers", -1), 1);
    EXPECT_FALSE(ViewSwitch(CViewSwitch::Colour));
    // Any value but 0 is on, as the other integer switches read.
    Profile().PutInt("View", "MarkDependent", 2);
    EXPECT_TRUE(ViewSwitch(CViewSwitch::MarkDependent));
}
