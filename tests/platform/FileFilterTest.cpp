#include "platform/FileFilter.h"

#include <gtest/gtest.h>

TEST(FileFilters, OpenDialogFilterBecomesTwoQtFilters) {
    EXPECT_EQ(QtFilters("HTML Document(*.htm;*.html;*.shtml)|*.htm;*.html;*.shtml|All File(*.*)|*.*||"),
              QStringList({"HTML Document (*.htm *.html *.shtml)", "All File (*)"}));
}

TEST(FileFilters, SaveDialogKeepsItsThreeTypesInOrder) {
    EXPECT_EQ(
        QtFilters(
            "HTML Document(*.html)|*.html|HTML Document(*.htm)|*.htm|SHTML Document(*.shtml)|*.shtml||"),
        QStringList({"HTML Document (*.html)", "HTML Document (*.htm)", "SHTML Document (*.shtml)"}));
}

TEST(FileFilters, JapaneseNamesAndOddDisplayTextAreKept) {
    EXPECT_EQ(QtFilters("exeﾌｧｲﾙ(*.exe)|*.exe|すべて(*.*)|*.*||"),
              QStringList({"exeﾌｧｲﾙ (*.exe)", "すべて (*)"}));
    EXPECT_EQ(
        QtFilters(
            "HTML "
            "Document(*.html;*.htm;*.shtml)|*.html;*.htm;*.shtml|ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|すべて(*.*)|*.*||"),
        QStringList({"HTML Document (*.html *.htm *.shtml)", "ﾃｷｽﾄﾌｧｲﾙ (*.txt)", "すべて (*)"}));
    // The display name's own list has a comma; the patterns come from the pattern part.
    const auto image =
        ParseFilterString("Image File(*.gif;*.jpg;*.jpeg,*.png)|*.gif;*.jpg;*.jpeg;*.png|All(*.*)|*.*||");
    ASSERT_EQ(image.size(), 2);
    EXPECT_EQ(image[0].name, "Image File");
    EXPECT_EQ(image[0].patterns, QStringList({"*.gif", "*.jpg", "*.jpeg", "*.png"}));
    EXPECT_EQ(image[1].QtFilter(), "All (*)");
}

TEST(FileFilters, MalformedStringsGiveWhatCanBeRead) {
    EXPECT_TRUE(QtFilters("").isEmpty());
    EXPECT_EQ(QtFilters("Text|*.txt"), QStringList({"Text (*.txt)"}));
    // A name without a pattern part is dropped rather than guessed.
    EXPECT_EQ(QtFilters("Text|*.txt|Lonely||"), QStringList({"Text (*.txt)"}));
}
