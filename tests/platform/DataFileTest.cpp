#include "platform/PlatformUi.h"

#include "tests/support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(DataFiles, LiveBesideAWritableProgram) {
    CScopedScriptedUi ui;
    QTemporaryDir folder;
    ui->SetProgramFolder(folder.path());
    EXPECT_EQ(DataFilePath("vurofkey.dat"), QDir(folder.path()).filePath("vurofkey.dat"));
}

TEST(DataFiles, MoveToTheUserDataFolderWhenTheProgramFolderCannotBeWritten) {
    CScopedScriptedUi ui;
    // A folder nobody can write to, root included (root ignores permission bits).
    ui->SetProgramFolder("/nonexistent/vuro/bin");
    const QString path = DataFilePath("vuroskel.dat");
    EXPECT_EQ(QFileInfo(path).fileName(), "vuroskel.dat");
    EXPECT_TRUE(path.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    EXPECT_TRUE(path.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    EXPECT_TRUE(QFileInfo(QFileInfo(path).path()).isDir());
}

TEST(DataFiles, MoveToTheUserDataFolderForAProgramInstalledUnderUsrEvenWhenRootMayWriteThere) {
    CScopedScriptedUi ui;
    // The tests run as root on the build machines, and root may write /usr/lib: the package's
    // folder must stay as the package manager left it all the same.
    for (const QString& folder : {QStringLiteral("/usr/lib"), QStringLiteral("/usr")}) {
        SCOPED_TRACE(folder.toStdString());
        ui->SetProgramFolder(folder);
        EXPECT_TRUE(DataFilePath("vurofkey.dat").startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    }
}
