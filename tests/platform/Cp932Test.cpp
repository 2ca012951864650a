#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

// Character starts found by reading the text forwards from its beginning.
std::set<std::size_t> ForwardBoundaries(std::string_view text) {
    std::set<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); i += Cp932::CharLength(text, i))
        starts.insert(i);
    starts.insert(text.size());
    return starts;
}

// Rebuilds the bytes from the display text and its offsets alone.
std::string BytesFromDisplay(std::string_view original, const Cp932::DisplayText& d) {
    std::string out;
    for (std::size_t i = 0; i < d.offsets.size(); ++i) {
        const std::size_t start = d.offsets[i];
        if (i > 0 && d.offsets[i - 1] == start)
            continue; // second half of a surrogate pair
        const std::size_t end = i + 1 < d.offsets.size() ? d.offsets[i + 1] : original.size();
        out.append(original.substr(start, end - start));
    }
    return out;
}

} // namespace

TEST(Cp932Decoding, EveryAssignedTwoByteCodeEncodesToItselfOrItsCanonicalTwin) {
    int assigned = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!Cp932::IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!Cp932::IsTrailByte(static_cast<unsigned char>(trail)))
                continue;
            const std::string bytes = Bytes({lead, trail});
            const Cp932::DisplayText d = Cp932::DecodeForDisplay(bytes);
            ASSERT_FALSE(d.text.isEmpty());
            if (Cp932::IsPlaceholder(d.text[0].unicode()))
                continue;
            ++assigned;
            ASSERT_EQ(d.text.size(), 1) << std::hex << lead << trail;
            const std::string back = Cp932::Encode(d.text).bytes;
            if (back != bytes) {
                // Only the NEC and IBM extension rows hold second encodings, and the
                // canonical one decodes to the same character.
                EXPECT_TRUE(lead == 0x87 || lead == 0xED || lead == 0xEE || lead == 0xFA || lead == 0xFB ||
                            lead == 0xFC)
                    << std::hex << lead << trail;
                EXPECT_EQ(Cp932::Decode(back), d.text);
            }
        }
    }
    // JIS X 0208, NEC row 13, the IBM extensions and the user-defined area.
    EXPECT_GT(assigned, 9000);
}

TEST(Cp932Decoding, KnownCharactersAndWindowsChoicesAmongDuplicates) {
    EXPECT_EQ(Cp932::Decode(Bytes({0x82, 0xA0})), QStringLiteral("あ"));
    EXPECT_EQ(Cp932::Decode(Bytes({0x81, 0x60})), QString(QChar(0xFF5E)));
    EXPECT_EQ(Cp932::Decode(Bytes({0xB1})), QStringLiteral("ｱ"));
    EXPECT_EQ(Cp932::Decode(Bytes({0x87, 0x90})), Cp932::Decode(Bytes({0x81, 0xE0})));
    EXPECT_EQ(Cp932::Decode(Bytes({0xED, 0x40})), Cp932::Decode(Bytes({0xFA, 0x5C})));
    EXPECT_EQ(Cp932::Encode(QString(QChar(0x2252))).bytes, Bytes({0x81, 0xE0}));
    EXPECT_EQ(Cp932::Encode(QString(QChar(0x7E8A))).bytes, Bytes({0xFA, 0x5C}));
    EXPECT_EQ(Cp932::Encode(QString(QChar(0x2160))).bytes, Bytes({0x87, 0x54}));
    // A Linux input method types U+301C for the wave dash; Windows has it at 0x8160.
    EXPECT_EQ(Cp932::Encode(QString(QChar(0x301C))).bytes, Bytes({0x81, 0x60}));
}

TEST(Cp932Decoding, InvalidBytesNulAndTruncatedLeadSurviveAsPlaceholders) {
    const std::string text = Bytes({'a', 0x00, 0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x82, 0x0A, 0x85, 0x40, 0x82});
    const Cp932::DisplayText d = Cp932::DecodeForDisplay(text, 100);
    EXPECT_EQ(d.text.size(), static_cast<qsizetype>(d.offsets.size()));
    EXPECT_EQ(d.text[1], QChar(0));
    for (int i : {2, 3, 4, 5, 6})
        EXPECT_TRUE(Cp932::IsPlaceholder(d.text[i].unicode())) << i;
    // A lead byte before LF stands alone, and LF stays a line break.
    EXPECT_TRUE(Cp932::IsPlaceholder(d.text[7].unicode()));
    EXPECT_EQ(d.text[8], QChar('\n'));
    // 0x85 0x40 is an unassigned pair: two placeholders, one per byte.
    EXPECT_EQ(d.offsets[9], 109u);
    EXPECT_EQ(d.offsets[10], 110u);
    EXPECT_TRUE(Cp932::IsPlaceholder(d.text.back().unicode()));
    EXPECT_EQ(d.offsets.back(), 111u);
    EXPECT_EQ(Cp932::Encode(d.text).bytes, text);
}

TEST(Cp932Decoding, RandomBytesAreRecoveredFromTheDisplayOffsets) {
    std::mt19937 rng(932);
    for (int round = 0; round < 200; ++round) {
        std::string text(rng() % 64, '\0');
        for (char& c : text)
            c = static_cast<char>(rng() & 0xFF);
        const Cp932::DisplayText d = Cp932::DecodeForDisplay(text);
        ASSERT_EQ(BytesFromDisplay(text, d), text);
        // Every real character starts on a character boundary (only the second byte of
        // an unassigned pair has a placeholder of its own inside a character).
        const auto starts = ForwardBoundaries(text);
        for (std::size_t i = 0; i < d.offsets.size(); ++i)
            if (!Cp932::IsPlaceholder(d.text[static_cast<qsizetype>(i)].unicode())) {
                ASSERT_TRUE(starts.count(d.offsets[i]));
            }
    }
}

TEST(Cp932Boundaries, LookingBackAgreesWithReadingForwardOnAnyBytes) {
    std::mt19937 rng(20261208);
    // Bias towards lead-range bytes, where looking back is hardest.
    const int pool[] = {0x81, 0x82, 0x88, 0x9F, 0xE0, 0xFC, 0x40, 0x7F,
                        0x80, 0xA0, 0xB1, 0x0D, 0x0A, 'a',  0xFD};
    for (int round = 0; round < 2000; ++round) {
        std::string text(1 + rng() % 24, '\0');
        for (char& c : text)
            c = static_cast<char>(pool[rng() % std::size(pool)]);
        const auto starts = ForwardBoundaries(text);
        for (std::size_t pos = 0; pos <= text.size(); ++pos) {
            ASSERT_EQ(Cp932::IsCharBoundary(text, pos), starts.count(pos) == 1)
                << "round " << round << " pos " << pos;
            const std::size_t floor = Cp932::FloorCharBoundary(text, pos);
            ASSERT_TRUE(starts.count(floor));
            ASSERT_LE(floor, pos);
            if (pos < text.size()) {
                const std::size_t next = Cp932::NextCharStart(text, pos);
                ASSERT_TRUE(starts.count(next));
                ASSERT_GT(next, pos);
            }
            if (pos > 0) {
                const std::size_t prev = Cp932::PrevCharStart(text, pos);
                ASSERT_TRUE(starts.count(prev));
                ASSERT_LT(prev, pos);
            }
        }
    }
}

TEST(Cp932Boundaries, DoubleByteCharactersAreOneStep) {
    const std::string text = Bytes({'a', 0x82, 0xA0, 0x88, 0x9F, 'b'}); // a あ 亜 b
    EXPECT_EQ(Cp932::NextCharStart(text, 1), 3u);
    EXPECT_EQ(Cp932::NextCharStart(text, 3), 5u);
    EXPECT_EQ(Cp932::PrevCharStart(text, 5), 3u);
    EXPECT_EQ(Cp932::PrevCharStart(text, 3), 1u);
    EXPECT_FALSE(Cp932::IsCharBoundary(text, 2));
    EXPECT_FALSE(Cp932::IsCharBoundary(text, 4));
    EXPECT_EQ(Cp932::FloorCharBoundary(text, 4), 3u);
}

TEST(Cp932Encoding, ReportsCharactersShiftJisCannotHoldInsteadOfDroppingThem) {
    const Cp932::EncodeResult r = Cp932::Encode(QStringLiteral("a한b😀c한"));
    EXPECT_EQ(r.bytes, "a?b?c?");
    EXPECT_EQ(r.unrepresentable, QStringLiteral("한😀"));
    EXPECT_TRUE(Cp932::Encode(QStringLiteral("日本語テキスト")).unrepresentable.isEmpty());
    EXPECT_EQ(Cp932::EncodeChar(u'한'), -1);
}

TEST(Cp932Encoding, FindsCharactersThatReadBackAsOthers) {
    EXPECT_EQ(Cp932::ChangedByRoundTrip(QStringLiteral("a\u301Cb\u00A5c\u301C")),
              QStringLiteral("\u301C\u00A5"));
    EXPECT_EQ(Cp932::ChangedByRoundTrip(QStringLiteral("\u8868\uFF5E\\x.gif")), QString());
}

TEST(Cp932Encoding, PageTextKeepsUnrepresentableCharactersAsCharacterReferences) {
    const Cp932::EncodeResult r = Cp932::EncodeWithReferences(QStringLiteral("x😀y한z"));
    EXPECT_EQ(r.bytes, "x&#x1F600;y&#xD55C;z");
    EXPECT_EQ(r.unrepresentable, QStringLiteral("😀한"));
    EXPECT_EQ(Cp932::EncodeWithReferences(QStringLiteral("表")).bytes, "\x95\x5c");
}
