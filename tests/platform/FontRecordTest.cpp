#include "platform/FontRecord.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace FontRecord;

TEST(FontRecord, DefaultFaceIsTwelvePointGothicInShiftJis) {
    const QByteArray block = Pack(DefaultEditorFont());
    ASSERT_EQ(block.size(), 60);
    // height -16 (12 pt at 96 dpi), little-endian
    EXPECT_EQ(static_cast<unsigned char>(block[0]), 0xF0);
    EXPECT_EQ(static_cast<unsigned char>(block[3]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(block[23]), 128); // Shift-JIS character set
    // "ＭＳ ゴシック" is 13 bytes of CP932 followed by NUL padding
    const QByteArray face = block.mid(28);
    EXPECT_EQ(face.left(13), QByteArray::fromStdString(Cp932::Encode(QStringLiteral("ＭＳ ゴシック")).bytes));
    EXPECT_EQ(face.mid(13), QByteArray(19, '\0'));

    const QFont font = ToQFont(*Unpack(block));
    EXPECT_EQ(font.family(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 12.0);
    EXPECT_FALSE(font.italic());
}

TEST(FontRecord, OnlyBlocksOfExactlySixtyBytesAreAccepted) {
    const QByteArray block = Pack(DefaultEditorFont());
    EXPECT_FALSE(Unpack(block.left(59)).has_value());
    EXPECT_FALSE(Unpack(block + '\0').has_value());
    EXPECT_FALSE(Unpack(QByteArray()).has_value());
    EXPECT_TRUE(Unpack(block).has_value());
}

TEST(FontRecord, EveryFieldSurvivesPackAndUnpack) {
    CLogFont f;
    f.height = -21;
    f.width = 3;
    f.escapement = -900;
    f.orientation = 900;
    f.weight = 700;
    f.italic = 1;
    f.underline = 1;
    f.strikeOut = 1;
    f.charSet = 128;
    f.outPrecision = 3;
    f.clipPrecision = 2;
    f.quality = 1;
    f.pitchAndFamily = 0x31;
    f.faceName = "Noto Sans Mono CJK JP";
    EXPECT_EQ(*Unpack(Pack(f)), f);
}

TEST(FontRecord, QFontRoundTripKeepsFaceSizeWeightAndStyle) {
    QFont font(QStringLiteral("ＭＳ 明朝"));
    font.setPointSizeF(15);
    font.setWeight(QFont::Bold);
    font.setItalic(true);
    const CLogFont f = FromQFont(font);
    EXPECT_EQ(f.height, -20);
    EXPECT_EQ(f.weight, 700);
    EXPECT_EQ(f.charSet, 128);
    const QFont back = ToQFont(*Unpack(Pack(f)));
    EXPECT_EQ(back.family(), font.family());
    EXPECT_DOUBLE_EQ(back.pointSizeF(), 15.0);
    EXPECT_EQ(back.weight(), QFont::Bold);
    EXPECT_TRUE(back.italic());
}

TEST(FontRecord, LongFaceNamesAreCutToThirtyOneBytesOnACharacterBoundary) {
    // 16 double-byte characters are 32 bytes: the name must stop at 30, not split one.
    const QString longName = QStringLiteral("あいうえおかきくけこさしすせそた");
    const CLogFont f = FromQFont(QFont(longName));
    EXPECT_EQ(f.faceName.size(), 30);
    const QByteArray block = Pack(f);
    EXPECT_EQ(block[28 + 30], '\0');
    EXPECT_EQ(ToQFont(*Unpack(block)).family(), longName.left(15));
}

TEST(FontRecord, AFaceNameWithoutTerminatorIsReadAsTheThirtyOneBytesARecordHolds) {
    QByteArray block = Pack(CLogFont{});
    for (int i = 28; i < 60; ++i)
        block[i] = 'A';
    const std::optional<CLogFont> f = Unpack(block);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->faceName, QByteArray(31, 'A'));
    // Written again, it reads back the same.
    EXPECT_EQ(Unpack(Pack(*f)), f);
}
