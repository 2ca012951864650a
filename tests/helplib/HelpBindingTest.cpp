#include "platform/HelpBinding.h"

#include "tests/helplib/FakeHelpLibrary.h"
#include "tests/support/ScriptedUi.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kMissing = QStringLiteral("ヘルプ用DLLが見つかりません。");
const QString kOld = QStringLiteral("ヘルプ用DLLのバージョンが古いか、または存在しません");

QByteArray Bytes(const QString& path) {
    return QFile::encodeName(path);
}

} // namespace

TEST(HelpBinding, MissingLibraryIsToldOnceAndEveryHelpRequestDoesNothing) {
    CScopedScriptedUi ui;
    QTemporaryDir empty;
    ui->SetProgramFolder(empty.path());
    CHelpBinding binding;
    binding.Bind();
    EXPECT_EQ(ui->MessageTexts(), QStringList{kMissing});
    EXPECT_EQ(ui->messages[0].buttons, CPlatformUi::Buttons::Ok);
    EXPECT_FALSE(binding.IsBound());
    EXPECT_FALSE(binding.ShowContents());
    EXPECT_FALSE(binding.ShowIndex());
    EXPECT_FALSE(binding.ShowTopic("fkey.html"));
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST(HelpBinding, EachMissingEntryIsToldAsATooOldLibrary) {
    struct Case {
        const char* variant;
        QStringList messages;
        bool bound;
        int mode;
    };
    for (const Case& c : {Case{"noshow", {kOld}, false, 0}, Case{"nomode", {kOld}, true, -1},
                          Case{"neither", {kOld, kOld}, false, -1}}) {
        CScopedScriptedUi ui;
        CFakeHelpLibrary fake(c.variant);
        ui->SetProgramFolder(fake.Folder());
        CHelpBinding binding;
        binding.Bind();
        EXPECT_EQ(ui->MessageTexts(), c.messages) << c.variant;
        EXPECT_EQ(binding.IsBound(), c.bound) << c.variant;
        EXPECT_EQ(binding.HelpMode(), c.mode) << c.variant;
        // Without a help mode the location stays the program's own file.
        if (c.mode == -1) {
            EXPECT_EQ(binding.Location(), Bytes(QCoreApplication::applicationFilePath()));
        }
        EXPECT_EQ(binding.ShowContents(), c.bound) << c.variant;
    }
}

TEST(HelpBinding, LocationIsTheHelpFolderOrTheCompiledFileByHelpMode) {
    for (const auto& [variant, leaf] : {std::pair{"mode0", "help"}, std::pair{"mode1", "vuro.chm"}}) {
        CScopedScriptedUi ui;
        CFakeHelpLibrary fake(variant);
        ui->SetProgramFolder(fake.Folder());
        CHelpBinding binding;
        binding.Bind();
        EXPECT_TRUE(ui->messages.empty());
        EXPECT_EQ(binding.Location(), Bytes(fake.Folder() + "/" + leaf));
    }
}

TEST(HelpBinding, HelpRequestsPassLocationTopicAndCommandUntilReleased) {
    CScopedScriptedUi ui;
    CFakeHelpLibrary fake("mode0");
    ui->SetProgramFolder(fake.Folder());
    CHelpBinding binding;
    binding.Bind();
    const int before = fake.Calls();
    EXPECT_TRUE(binding.ShowContents());
    EXPECT_EQ(fake.LastCommand(), 1);
    EXPECT_EQ(fake.LastTopic(), std::nullopt);
    EXPECT_TRUE(binding.ShowIndex());
    EXPECT_EQ(fake.LastCommand(), 2);
    EXPECT_EQ(fake.LastTopic(), std::nullopt);
    EXPECT_TRUE(binding.ShowTopic("setting.html#tbar"));
    EXPECT_EQ(fake.LastCommand(), 0);
    EXPECT_EQ(fake.LastTopic(), QByteArray("setting.html#tbar"));
    EXPECT_EQ(fake.LastLocation(), Bytes(fake.Folder() + "/help"));
    EXPECT_EQ(fake.Calls(), before + 3);

    binding.Release();
    EXPECT_FALSE(binding.ShowContents());
    EXPECT_EQ(fake.Calls(), before + 3);
}

TEST(HelpBinding, BindsTheRealLibraryBesideTheProgramWithoutAMessage) {
    CScopedScriptedUi ui;
    ui->SetProgramFolder(VURO_BIN_DIR);
    CHelpBinding binding;
    binding.Bind();
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_TRUE(binding.IsBound());
    EXPECT_EQ(binding.HelpMode(), 0);
    EXPECT_EQ(binding.Location(), Bytes(QString(VURO_BIN_DIR) + "/help"));
}
