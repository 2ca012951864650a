#include "platform/Profile.h"

#include "platform/Cp932.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ProfileFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("Vuro.conf");
    CProfile profile{path};
};

} // namespace

TEST_F(ProfileFile, MissingValuesGiveTheirDefaults) {
    EXPECT_EQ(profile.GetInt("Settings", "TabStop", 32), 32);
    EXPECT_EQ(profile.GetString("Browser", "IE", ""), "");
    EXPECT_EQ(profile.GetString("Browser", "NN", "fallback"), "fallback");
    EXPECT_FALSE(profile.GetBinary("Settings", "Font").has_value());
}

TEST_F(ProfileFile, IntegersStringsAndBlocksAreReadBackAcrossInstances) {
    profile.PutInt("ToolBar", "32771", 0);
    profile.PutInt("Settings", "TabStop", -4);
    const std::string path932 = Cp932::Encode(QStringLiteral("/opt/ブラウザ/bin")).bytes;
    profile.PutString("Browser", "IE", path932);
    const QByteArray block("\x00\x01\xFF\x80 binary", 12);
    profile.PutBinary("Settings", "Font", block);

    CProfile again(path);
    EXPECT_EQ(again.GetInt("ToolBar", "32771", 1), 0);
    EXPECT_EQ(again.GetInt("Settings", "TabStop", 32), -4);
    EXPECT_EQ(again.GetString("Browser", "IE", ""), path932);
    ASSERT_TRUE(again.GetBinary("Settings", "Font").has_value());
    EXPECT_EQ(*again.GetBinary("Settings", "Font"), block);
}

TEST_F(ProfileFile, StringsAreStoredAsReadableTextInTheirSection) {
    profile.PutString("DateTimeFormat", "DateEx", Cp932::Encode(QStringLiteral("%Y年%m月")).bytes);
    QSettings raw(path, QSettings::IniFormat);
    EXPECT_EQ(raw.value("DateTimeFormat/DateEx").toString(), QStringLiteral("%Y年%m月"));
}

TEST_F(ProfileFile, GarbageInAnIntegerValueGivesTheDefault) {
    {
        QSettings raw(path, QSettings::IniFormat);
        raw.setValue("Settings/TabStop", "twelve");
    }
    EXPECT_EQ(profile.GetInt("Settings", "TabStop", 32), 32);
}

TEST_F(ProfileFile, BarStateLivesInItsOwnSection) {
    profile.PutBarState("State", QByteArray("layout"));
    EXPECT_EQ(*profile.GetBarState("State"), QByteArray("layout"));
    EXPECT_EQ(*profile.GetBinary("BarState", "State"), QByteArray("layout"));
}

TEST(UserProfile, LivesUnderBrellmoorVuroInTheConfigFolder) {
    EXPECT_TRUE(CProfile().FileName().endsWith("/Brellmoor/Vuro.conf"))
        << CProfile().FileName().toStdString();
    EXPECT_TRUE(CProfile().FileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
}

TEST_F(ProfileFile, ABatchWritesTheStoreBackOnceWhenTheOutermostBatchEnds) {
    const auto fileText = [this] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    profile.PutInt("InsADlg", "href0", 1);
    {
        const CProfileBatch batch(profile);
        {
            const CProfileBatch inner(profile);
            for (int i = 0; i < 15; ++i)
                profile.PutString("InsADlg", "href" + QString::number(i), "a" + std::to_string(i));
        }
        // The batch reads its own writes back while the file still holds the old values.
        EXPECT_EQ(profile.GetString("InsADlg", "href14", ""), "a14");
        EXPECT_FALSE(fileText().contains("a14"));
        EXPECT_TRUE(fileText().contains("href0=1"));
    }
    EXPECT_TRUE(fileText().contains("href14=a14"));
    CProfile again(path);
    EXPECT_EQ(again.GetString("InsADlg", "href0", ""), "a0");
    EXPECT_EQ(again.GetString("InsADlg", "href14", ""), "a14");
}

TEST_F(ProfileFile, ReadsSeeWhatAnotherProgramWroteBetweenThem) {
    profile.PutString("Browser", "IE", "/usr/bin/first");
    EXPECT_EQ(profile.GetString("Browser", "IE", ""), "/usr/bin/first");
    {
        QSettings other(path, QSettings::IniFormat);
        other.setValue("Browser/IE", "/usr/bin/second-browser");
    }
    EXPECT_EQ(profile.GetString("Browser", "IE", ""), "/usr/bin/second-browser");
    // A new file put in the old one's place, as a careful writer saves.
    const QString replacement = dir.filePath("new.conf");
    {
        QSettings other(replacement, QSettings::IniFormat);
        other.setValue("Browser/IE", "/opt/third");
    }
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(replacement, path));
    EXPECT_EQ(profile.GetString("Browser", "IE", ""), "/opt/third");
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(profile.GetString("Browser", "IE", "gone"), "gone");
    // A profile pointed elsewhere reads the other store, not what it read before.
    const QString elsewhere = dir.filePath("elsewhere.conf");
    CProfile(elsewhere).PutInt("Settings", "TabStop", 12);
    profile.PutInt("Settings", "TabStop", 40);
    EXPECT_EQ(profile.GetInt("Settings", "TabStop", 0), 40);
    profile = CProfile(elsewhere);
    EXPECT_EQ(profile.GetInt("Settings", "TabStop", 0), 12);
}
