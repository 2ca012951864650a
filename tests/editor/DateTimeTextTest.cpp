#include "editor/DateTimeText.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace {

using DateTimeText::FormatDate;
using DateTimeText::FormatTime;

const QDate kTuesday(2000, 3, 7);

std::string Sjis(const char* utf8) {
    return Cp932::Encode(QString::fromUtf8(utf8)).bytes;
}

} // namespace

TEST(DateText, FixedStylesSpellTheDateAsTheSettingsNameThem) {
    EXPECT_EQ(FormatDate(1, "", kTuesday), Sjis("2000年 3月 7日（火）"));
    EXPECT_EQ(FormatDate(2, "", kTuesday), "2000/03/07(Tue)");
    EXPECT_EQ(FormatDate(3, "", kTuesday), "Tuesday, March 07, 2000");
    EXPECT_EQ(FormatDate(1, "", QDate(1999, 12, 26)), Sjis("1999年12月26日（日）"));
    EXPECT_EQ(FormatDate(3, "", QDate(2001, 9, 1)), "Saturday, September 01, 2001");
}

TEST(DateText, UserFormatReplacesEveryCodeAndKeepsTheRest) {
    EXPECT_EQ(FormatDate(0, "%Y-%M-%D (%W)", kTuesday), "2000-03-07 (Tue)");
    EXPECT_EQ(FormatDate(0, "%m", kTuesday), " 3");
    EXPECT_EQ(FormatDate(0, "%d/%D", kTuesday), " 7/07");
    EXPECT_EQ(FormatDate(0, "%y|%Y", QDate(2009, 1, 1)), "09|2009");
    EXPECT_EQ(FormatDate(0, Sjis("%w曜日"), kTuesday), Sjis("火曜日"));
    // Codes are case-sensitive and every occurrence is replaced.
    EXPECT_EQ(FormatDate(0, "%W %W %x %%", kTuesday), "Tue Tue %x %%");
    // Any style other than 1 to 3 uses the user's format.
    EXPECT_EQ(FormatDate(7, "%Y", kTuesday), "2000");
    EXPECT_EQ(FormatDate(-1, "no codes", kTuesday), "no codes");
    EXPECT_EQ(FormatDate(0, "", kTuesday), "");
}

TEST(DateText, UserFormatPassesItsOtherBytesThroughUnchanged) {
    // A double-byte character whose second byte is "d", and bytes that are no character.
    const std::string kanji = "\x88\x64";
    EXPECT_EQ(FormatDate(0, "%" + kanji + "%d\xfd\xa0", kTuesday), "%" + kanji + " 7\xfd\xa0");
}

TEST(TimeText, FixedStylesAtNoonCountTheHourFromZero) {
    const QTime noon(12, 5, 0);
    EXPECT_EQ(FormatTime(1, "", noon), Sjis("12時05分00秒"));
    EXPECT_EQ(FormatTime(2, "", noon), Sjis("午後 0時05分00秒"));
    EXPECT_EQ(FormatTime(3, "", noon), "12:05:00");
    EXPECT_EQ(FormatTime(4, "", noon), "PM 0:05:00");
    const QTime morning(9, 3, 7);
    EXPECT_EQ(FormatTime(1, "", morning), Sjis(" 9時03分07秒"));
    EXPECT_EQ(FormatTime(2, "", morning), Sjis("午前 9時03分07秒"));
    EXPECT_EQ(FormatTime(3, "", QTime(23, 59, 59)), "23:59:59");
    EXPECT_EQ(FormatTime(4, "", QTime(23, 59, 59)), "PM11:59:59");
}

TEST(TimeText, UserFormatReplacesEveryCode) {
    EXPECT_EQ(FormatTime(0, "%P %t:%M", QTime(0, 30)), "AM  0:30");
    EXPECT_EQ(FormatTime(0, "%p%T|%h|%H|%m|%s|%S", QTime(13, 4, 9)), Sjis("午後01|13|13| 4| 9|09"));
    EXPECT_EQ(FormatTime(5, "%H:%M:%S", QTime(7, 8, 9)), "07:08:09");
    EXPECT_EQ(FormatTime(0, "", QTime(7, 8, 9)), "");
}
