#include "editor/EncodingCheck.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>

using namespace EncodingCheck;

namespace {

// "日本語のページです。" in each encoding.
const std::string kUtf8Text =
    "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x9A\xE3\x83\xBC\xE3\x82\xB8"
    "\xE3\x81\xA7\xE3\x81\x99\xE3\x80\x82";
const std::string kEucText =
    "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xDA\xA1\xBC\xA5\xB8\xA4\xC7\xA4\xB9\xA1\xA3";
const std::string kJisText =
    "\x1B\x24\x42\x46\x7C\x4B\x5C\x38\x6C\x24\x4E\x25\x5A\x21\x3C\x25\x38\x24\x47\x24\x39"
    "\x21\x23\x1B\x28\x42";
const std::string kSjisText =
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x79\x81\x5B\x83\x57\x82\xC5\x82\xB7\x81\x42";

std::string Page(const std::string& body, const std::string& head = "") {
    return "<html><head>\r\n" + head + "<title>t</title>\r\n</head>\r\n<body>\r\n" + body +
           "\r\n</body></html>\r\n";
}

std::string Utf16Le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

bool Warns(const std::string& bytes) {
    return Warning(Examine(bytes, true)).has_value();
}

} // namespace

TEST(EncodingCheck, PagesInOtherEncodingsAreFoundAndNamed) {
    EXPECT_EQ(Examine(Page(kUtf8Text), true).encoding, CEncoding::Utf8);
    EXPECT_EQ(Examine("\xEF\xBB\xBF" + Page(kUtf8Text), true).encoding, CEncoding::Utf8Bom);
    EXPECT_EQ(Examine("\xEF\xBB\xBF<p>ascii</p>", true).encoding, CEncoding::Utf8Bom);
    EXPECT_EQ(Examine(Utf16Le("<html>x</html>"), true).encoding, CEncoding::Utf16);
    EXPECT_EQ(Examine("\xFE\xFF\x00<\x00p", true).encoding, CEncoding::Utf16);
    EXPECT_EQ(Examine(Page(kEucText), true).encoding, CEncoding::EucJp);
    EXPECT_EQ(Examine(Page(kJisText), true).encoding, CEncoding::Iso2022Jp);

    const auto utf8 = Warning(Examine(Page(kUtf8Text), true));
    ASSERT_TRUE(utf8);
    EXPECT_TRUE(utf8->contains(QStringLiteral("UTF-8")));
    EXPECT_TRUE(utf8->contains(QStringLiteral("Shift-JIS")));
    EXPECT_TRUE(utf8->contains(QStringLiteral("そのまま保持します")));
    EXPECT_TRUE(Warning(Examine(Page(kEucText), true))->contains(QStringLiteral("EUC-JP")));
    EXPECT_TRUE(Warning(Examine(Page(kJisText), true))->contains(QStringLiteral("ISO-2022-JP")));
    EXPECT_TRUE(Warning(Examine(Utf16Le("<p>x</p>"), true))->contains(QStringLiteral("UTF-16")));
}

TEST(EncodingCheck, AShiftJisPageDeclaringAnotherCharsetIsNamedByItsDeclaration) {
    const std::string meta = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n";
    const CFinding f = Examine(Page(kSjisText, meta), true);
    EXPECT_EQ(f.encoding, CEncoding::ShiftJis);
    EXPECT_EQ(f.declared, "UTF-8");
    EXPECT_FALSE(f.declaredMatches);
    const auto text = Warning(f);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->contains(QStringLiteral("「UTF-8」")));
    EXPECT_TRUE(Warns(Page(kSjisText, "<meta charset=utf-8>")));
    EXPECT_TRUE(Warns(Page(kSjisText, "<META CHARSET='EUC-JP'/>")));
}

TEST(EncodingCheck, ShiftJisDeclaredUnderAnyOfItsNamesIsSilent) {
    for (const char* name : {"Shift_JIS", "shift-jis", "SHIFT_JIS", "x-sjis", "X-SJIS", "Windows-31J",
                             "windows-31j", "CP932", "cp932"}) {
        const std::string charset = name;
        EXPECT_FALSE(Warns(Page(kSjisText, "<meta charset=\"" + charset + "\">"))) << name;
        EXPECT_FALSE(Warns(
            Page(kSjisText, "<meta http-equiv=content-type content='text/html;charset=" + charset + "'>")))
            << name;
    }
}

TEST(EncodingCheck, DeclarationsAreReadAsBrowsersReadThem) {
    EXPECT_EQ(DeclaredCharset("<meta charset=\" Shift_JIS \">"), "Shift_JIS");
    EXPECT_EQ(DeclaredCharset("<meta name=a content=\"charset=x\"><meta charset=b>"), "b");
    EXPECT_EQ(DeclaredCharset("<Meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; Charset = EUC-JP\">"),
              "EUC-JP");
    // The first declaration counts; one in a comment does not.
    EXPECT_EQ(DeclaredCharset("<!-- <meta charset=utf-8> --><meta charset=x-sjis><meta charset=utf-8>"),
              "x-sjis");
    EXPECT_EQ(DeclaredCharset("<metadata charset=utf-8><p>"), "");
    EXPECT_EQ(DeclaredCharset("<meta charset="), "");
    EXPECT_EQ(DeclaredCharset("<p>no declaration</p>"), "");
}

TEST(EncodingCheck, PureAsciiAndShiftJisPagesAreSilent) {
    EXPECT_FALSE(Warns(""));
    EXPECT_FALSE(Warns(Page("plain <b>ascii</b> &amp; more")));
    EXPECT_FALSE(Warns(Page("ascii", "<meta charset=utf-8>")));
    EXPECT_FALSE(Warns(Page(kSjisText)));
    // Half-width katakana, 0x5C trail bytes, vendor and user-defined characters.
    EXPECT_FALSE(Warns(Page("\xB6\xC0\xB6\xC5 \x95\x5C\x8E\xA6 \x87\x40\xFA\xB1 \xF0\x40")));
    EXPECT_EQ(Examine(Page(kSjisText), true).encoding, CEncoding::ShiftJis);
}

TEST(EncodingCheck, EveryShiftJisCharacterAloneOnAPageIsSilent) {
    // Short pages are where a Shift-JIS text could pass for another encoding by chance.
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const auto code = static_cast<std::uint16_t>((lead << 8) | trail);
            if (!Cp932::IsLeadByte(static_cast<unsigned char>(lead)) || Cp932::DecodeChar(code) == 0xFFFF)
                continue;
            const std::string ch{static_cast<char>(lead), static_cast<char>(trail)};
            ASSERT_FALSE(Warns(Page(ch + "x" + ch))) << std::hex << code;
        }
    }
    for (int a = 0xA1; a <= 0xDF; ++a)
        for (int b = 0xA1; b <= 0xDF; ++b)
            ASSERT_FALSE(Warns(Page({static_cast<char>(a), static_cast<char>(b)})))
                << std::hex << a << " " << b;
}

TEST(EncodingCheck, OnlyTheHeadOfALargeFileIsRead) {
    // Shift-JIS far beyond the head does not turn a UTF-8 beginning into Shift-JIS.
    std::string big = Page(kUtf8Text);
    while (big.size() < kHeadBytes)
        big += "<p>" + kUtf8Text + "</p>\r\n";
    big += kSjisText;
    EXPECT_EQ(Examine(big, true).encoding, CEncoding::Utf8);
    // A character cut by the end of the head is not held against the page.
    std::string cut(kHeadBytes - 1, 'a');
    cut += kUtf8Text;
    EXPECT_FALSE(Warning(Examine(cut, false)));
    std::string cutUtf8 = Page(kUtf8Text) + std::string(kHeadBytes, 'a');
    cutUtf8.resize(kHeadBytes - 1);
    cutUtf8 += "\xE6\x97";
    EXPECT_EQ(Examine(cutUtf8, false).encoding, CEncoding::Utf8);
}
