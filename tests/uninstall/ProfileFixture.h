#pragma once

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

// Each test starts without any Brellmoor settings in the private test home and leaves none.
class CProfileFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static QString ConfigDir();
    static QString MakerDir() { return ConfigDir() + QStringLiteral("/Brellmoor"); }
    static QString ProfileFile() { return MakerDir() + QStringLiteral("/Vuro.conf"); }
    // A profile as the editor leaves it: values in several sections, a binary one included.
    static void WriteEditorProfile();
    static QByteArray ProfileBytes();
    static int StoredValues();
};
