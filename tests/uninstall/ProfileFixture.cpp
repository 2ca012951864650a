#include "tests/uninstall/ProfileFixture.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace {

void RemoveMakerDir(const QString& path) {
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir(path).removeRecursively();
}

} // namespace

void CProfileFixture::SetUp() {
    ASSERT_TRUE(ConfigDir().startsWith(QDir::homePath())) << "tests must never touch the real profile";
    RemoveMakerDir(MakerDir());
}

void CProfileFixture::TearDown() {
    RemoveMakerDir(MakerDir());
}

QString CProfileFixture::ConfigDir() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

void CProfileFixture::WriteEditorProfile() {
    QSettings settings(QStringLiteral("Brellmoor"), QStringLiteral("Vuro"));
    settings.setValue(QStringLiteral("Settings/TabStop"), 28);
    settings.setValue(QStringLiteral("Settings/Font"), QByteArray(60, '\x01'));
    settings.setValue(QStringLiteral("Browser/IE"), QStringLiteral("/usr/bin/firefox"));
    settings.setValue(QStringLiteral("ToolBar/32771"), 0);
    settings.setValue(QStringLiteral("InsADlg/href0"), QStringLiteral("index.html"));
    settings.setValue(QStringLiteral("BarState/Bar0"), QByteArray("\x00\x01\x02", 3));
    settings.sync();
    ASSERT_EQ(settings.status(), QSettings::NoError);
    ASSERT_TRUE(QFile::exists(ProfileFile()));
}

QByteArray CProfileFixture::ProfileBytes() {
    QFile file(ProfileFile());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

int CProfileFixture::StoredValues() {
    return int(QSettings(QStringLiteral("Brellmoor"), QStringLiteral("Vuro")).allKeys().size());
}
