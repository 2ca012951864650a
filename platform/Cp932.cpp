#include "platform/Cp932.h"

#include <iconv.h>

#include <array>
#include <memory>

namespace Cp932 {
namespace {

constexpr char16_t kNoChar = 0xFFFF;
constexpr std::uint16_t kNoCode = 0xFFFF;

// Both tables come from the C library's CP932 converter, once, on first use.
struct Tables {
    std::array<char16_t, 256> single{};
    std::vector<char16_t> doubleByte = std::vector<char16_t>(65536, kNoChar);
    std::vector<std::uint16_t> encode = std::vector<std::uint16_t>(65536, kNoCode);

    Tables() {
        single.fill(kNoChar);
        iconv_t toUnicode = iconv_open("UTF-16LE", "CP932");
        iconv_t fromUnicode = iconv_open("CP932", "UTF-16LE");
        if (toUnicode == reinterpret_cast<iconv_t>(-1) || fromUnicode == reinterpret_cast<iconv_t>(-1))
            return;
        for (int b = 0; b < 256; ++b) {
            if (IsLeadByte(static_cast<unsigned char>(b)))
                continue;
            char in[1] = {static_cast<char>(b)};
            single[b] = Convert(toUnicode, in, 1);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (!IsTrailByte(static_cast<unsigned char>(trail)))
                    continue;
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                doubleByte[(lead << 8) | trail] = Convert(toUnicode, in, 2);
            }
        }
        // The encoder is asked for every BMP character so that its own choice among
        // duplicate codes and its extra mappings (U+301C and the like) are kept.
        for (int u = 0; u < 65536; ++u) {
            if (u >= 0xD800 && u <= 0xDFFF)
                continue;
            char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
            char out[4];
            char* ip = in;
            char* op = out;
            size_t il = 2, ol = sizeof out;
            iconv(fromUnicode, nullptr, nullptr, nullptr, nullptr);
            if (iconv(fromUnicode, &ip, &il, &op, &ol) == static_cast<size_t>(-1))
                continue;
            const auto n = sizeof out - ol;
            if (n == 1)
                encode[u] = static_cast<unsigned char>(out[0]);
            else if (n == 2)
                encode[u] = static_cast<std::uint16_t>((static_cast<unsigned char>(out[0]) << 8) |
                                                       static_cast<unsigned char>(out[1]));
        }
        iconv_close(toUnicode);
        iconv_close(fromUnicode);
    }

    static char16_t Convert(iconv_t cd, char* in, size_t len) {
        char16_t out[4];
        char* op = reinterpret_cast<char*>(out);
        size_t ol = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &in, &len, &op, &ol) == static_cast<size_t>(-1) || len != 0)
            return kNoChar;
        return sizeof out - ol == 2 ? out[0] : kNoChar;
    }
};

const Tables& GetTables() {
    static const Tables tables;
    return tables;
}

unsigned char ByteAt(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]);
}

} // namespace

std::size_t CharLength(std::string_view text, std::size_t pos) {
    if (pos + 1 < text.size() && IsLeadByte(ByteAt(text, pos)) && IsTrailByte(ByteAt(text, pos + 1)))
        return 2;
    return 1;
}

bool IsCharBoundary(std::string_view text, std::size_t pos) {
    if (pos == 0 || pos >= text.size())
        return true;
    // A byte outside the lead range always ends a character, so the boundary after it
    // is certain; the lead-range bytes that follow it pair up from there.
    std::size_t run = 0;
    std::size_t q = pos;
    while (q > 0 && IsLeadByte(ByteAt(text, q - 1))) {
        --q;
        ++run;
    }
    if (run % 2 == 0)
        return true;
    // pos follows an odd lead byte: it is inside a character only if that byte has a
    // valid trail here.
    return !IsTrailByte(ByteAt(text, pos));
}

std::size_t FloorCharBoundary(std::string_view text, std::size_t pos) {
    if (pos >= text.size())
        return text.size();
    return IsCharBoundary(text, pos) ? pos : pos - 1;
}

std::size_t PrevCharStart(std::string_view text, std::size_t pos) {
    if (pos == 0)
        return 0;
    pos = FloorCharBoundary(text, pos);
    if (pos == 0)
        return 0;
    return FloorCharBoundary(text, pos - 1);
}

std::size_t NextCharStart(std::string_view text, std::size_t pos) {
    if (pos >= text.size())
        return text.size();
    pos = FloorCharBoundary(text, pos);
    return pos + CharLength(text, pos);
}

char16_t DecodeChar(std::uint16_t code) {
    const Tables& t = GetTables();
    return code < 0x100 ? t.single[code] : t.doubleByte[code];
}

DisplayText DecodeForDisplay(std::string_view bytes, std::size_t baseOffset) {
    const Tables& t = GetTables();
    DisplayText out;
    out.text.reserve(static_cast<qsizetype>(bytes.size()));
    out.offsets.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t len = CharLength(bytes, i);
        char16_t c;
        if (len == 2) {
            c = t.doubleByte[(ByteAt(bytes, i) << 8) | ByteAt(bytes, i + 1)];
        } else {
            c = t.single[ByteAt(bytes, i)];
        }
        if (c == kNoChar) {
            for (std::size_t k = 0; k < len; ++k) {
                out.text.append(QChar(static_cast<char16_t>(kPlaceholderBase + ByteAt(bytes, i + k))));
                out.offsets.push_back(baseOffset + i + k);
            }
        } else {
            out.text.append(QChar(c));
            out.offsets.push_back(baseOffset + i);
        }
        i += len;
    }
    return out;
}

QString Decode(std::string_view bytes) {
    return DecodeForDisplay(bytes).text;
}

int EncodeChar(char16_t c) {
    if (IsPlaceholder(c))
        return PlaceholderByte(c);
    const std::uint16_t code = GetTables().encode[c];
    return code == kNoCode ? -1 : code;
}

QString ChangedByRoundTrip(const QString& text) {
    QString changed;
    for (const QChar c : text) {
        if (c.isSurrogate() || IsPlaceholder(c.unicode()))
            continue;
        const int code = EncodeChar(c.unicode());
        if (code >= 0 && DecodeChar(static_cast<std::uint16_t>(code)) != c.unicode() && !changed.contains(c))
            changed += c;
    }
    return changed;
}

namespace {

// policy decides what a character CP932 cannot hold becomes.
template <class Policy> EncodeResult EncodeAll(const QString& text, Policy unrepresentableAs) {
    EncodeResult out;
    out.bytes.reserve(static_cast<std::size_t>(text.size()) * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int code = -1;
        char32_t codePoint = c;
        qsizetype units = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(c, text[i + 1].unicode());
            units = 2;
        } else if (!QChar::isSurrogate(c)) {
            code = EncodeChar(c);
        }
        if (code < 0) {
            out.bytes += unrepresentableAs(codePoint);
            const QString whole = text.mid(i, units);
            if (!out.unrepresentable.contains(whole))
                out.unrepresentable.append(whole);
        } else if (code < 0x100) {
            out.bytes.push_back(static_cast<char>(code));
        } else {
            out.bytes.push_back(static_cast<char>(code >> 8));
            out.bytes.push_back(static_cast<char>(code & 0xFF));
        }
        i += units - 1;
    }
    return out;
}

} // namespace

EncodeResult Encode(const QString& text) {
    return EncodeAll(text, [](char32_t) { return std::string("?"); });
}

EncodeResult EncodeWithReferences(const QString& text) {
    return EncodeAll(text, [](char32_t codePoint) {
        return "&#x" + QString::number(static_cast<uint>(codePoint), 16).toUpper().toStdString() + ";";
    });
}

} // namespace Cp932
