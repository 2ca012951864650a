#pragma once

#include "platform/Profile.h"
#include "tests/support/ScriptedUi.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

// What most tests of the editor need: scripted services, a profile of their own, and a
// folder for files.
class CEditorFixture : public ::testing::Test {
protected:
    CEditorFixture() : m_previousProfile(Profile()) {
        SetProfile(CProfile(m_dir.filePath("profile/Vuro.conf")));
    }
    ~CEditorFixture() override { SetProfile(m_previousProfile); }

    QString FilePath(const QString& name) const { return m_dir.filePath(name); }

    static void WriteFile(const QString& path, const std::string& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    static std::string ReadFile(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        return f.readAll().toStdString();
    }

    QTemporaryDir m_dir;
    CScopedScriptedUi ui;

private:
    CProfile m_previousProfile;
};
