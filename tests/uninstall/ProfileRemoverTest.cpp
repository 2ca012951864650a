#include "uninstall/ProfileRemover.h"

#include "tests/uninstall/ProfileFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class ProfileRemover : public CProfileFixture {};

void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nkeep=1\n");
}

} // namespace

TEST_F(ProfileRemover, FindsTheEditorsSettingsFileFromTheRegistryStyleKey) {
    CProfileRemover remover(QStringLiteral("software\\Brellmoor\\Vuro"));
    ASSERT_TRUE(remover.IsValid());
    EXPECT_EQ(remover.Organization(), QStringLiteral("Brellmoor"));
    EXPECT_EQ(remover.Application(), QStringLiteral("Vuro"));
    EXPECT_EQ(remover.FileName(), ProfileFile());

    EXPECT_TRUE(CProfileRemover(QStringLiteral("Software\\Brellmoor\\Vuro")).IsValid());
    EXPECT_EQ(CProfileRemover(QStringLiteral("\\software\\Brellmoor\\Vuro\\")).FileName(), ProfileFile());
}

TEST_F(ProfileRemover, RefusesKeysThatDoNotNameOneProductAndDeletesNothing) {
    const QString outside = QDir::cleanPath(ConfigDir() + QStringLiteral("/../Vuro.conf"));
    const QString maker = ConfigDir() + QStringLiteral("/Brellmoor.conf");
    Touch(outside);
    Touch(maker);
    WriteEditorProfile();
    for (const char* key : {"", "Vuro", "Brellmoor\\Vuro", "software\\Brellmoor", "hardware\\Brellmoor\\Vuro",
                            "software\\Brellmoor\\Vuro\\Settings", "software\\..\\Vuro",
                            "software\\Brellmoor\\..", "software\\Brell/moor\\Vuro", "software\\.\\Vuro"}) {
        SCOPED_TRACE(key);
        CProfileRemover remover(QString::fromUtf8(key));
        EXPECT_FALSE(remover.IsValid());
        EXPECT_TRUE(remover.FileName().isEmpty());
        EXPECT_FALSE(remover.Remove());
        EXPECT_TRUE(remover.Error().contains(QString::fromUtf8(key))) << remover.Error().toStdString();
    }
    EXPECT_TRUE(QFile::exists(outside));
    EXPECT_TRUE(QFile::exists(maker));
    EXPECT_TRUE(QFile::exists(ProfileFile()));
    QFile::remove(outside);
    QFile::remove(maker);
}

TEST_F(ProfileRemover, DeletesEveryValueTheFileAndTheEmptyMakerFolder) {
    WriteEditorProfile();
    ASSERT_GT(StoredValues(), 0);
    CProfileRemover remover(QStringLiteral("software\\Brellmoor\\Vuro"));
    EXPECT_TRUE(remover.Remove()) << remover.Error().toStdString();
    EXPECT_TRUE(remover.Error().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ProfileFile()));
    EXPECT_FALSE(QFileInfo::exists(MakerDir()));
    EXPECT_EQ(StoredValues(), 0);
}

TEST_F(ProfileRemover, LeavesTheMakersOtherSettingsAlone) {
    const QString other = MakerDir() + QStringLiteral("/Other.conf");
    const QString makerWide = ConfigDir() + QStringLiteral("/Brellmoor.conf");
    Touch(other);
    Touch(makerWide);
    WriteEditorProfile();
    EXPECT_TRUE(CProfileRemover(QStringLiteral("software\\Brellmoor\\Vuro")).Remove());
    EXPECT_FALSE(QFileInfo::exists(ProfileFile()));
    EXPECT_TRUE(QFileInfo::exists(other));
    EXPECT_TRUE(QFileInfo::exists(makerWide));
    QFile::remove(makerWide);
}

TEST_F(ProfileRemover, AMissingProfileIsAlreadyDeletedAndNothingIsCreated) {
    CProfileRemover remover(QStringLiteral("software\\Brellmoor\\Vuro"));
    EXPECT_TRUE(remover.Remove());
    EXPECT_TRUE(remover.Error().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(MakerDir()));
}

TEST_F(ProfileRemover, ADeletionThatFailsIsReportedWithTheFileAndTheReason) {
    // A folder where the file belongs cannot be unlinked, whoever runs the test.
    QDir().mkpath(ProfileFile());
    Touch(ProfileFile() + QStringLiteral("/inside"));
    CProfileRemover remover(QStringLiteral("software\\Brellmoor\\Vuro"));
    EXPECT_FALSE(remover.Remove());
    EXPECT_TRUE(remover.Error().startsWith(QStringLiteral("設定を削除できませんでした。")));
    EXPECT_TRUE(remover.Error().contains(ProfileFile()));
    EXPECT_TRUE(remover.Error().contains(QStringLiteral("フォルダ")));
    EXPECT_TRUE(QFileInfo::exists(ProfileFile() + QStringLiteral("/inside")));
}

TEST_F(ProfileRemover, AReadOnlyFolderIsReportedAndKeepsTheValues) {
    WriteEditorProfile();
    const QByteArray before = ProfileBytes();
    ASSERT_TRUE(QFile::setPermissions(MakerDir(), QFile::ReadOwner | QFile::ExeOwner));
    QFile probe(MakerDir() + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        GTEST_SKIP() << "folder permissions do not apply to this user";
    }
    CProfileRemover remover(QStringLiteral("software\\Brellmoor\\Vuro"));
    EXPECT_FALSE(remover.Remove());
    EXPECT_TRUE(remover.Error().contains(ProfileFile()));
    EXPECT_TRUE(remover.Error().contains(QStringLiteral("権限がありません")));
    EXPECT_TRUE(QFileInfo::exists(ProfileFile()));
    EXPECT_EQ(ProfileBytes(), before);
}
