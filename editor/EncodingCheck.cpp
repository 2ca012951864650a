#include "editor/EncodingCheck.h"

#include "platform/Cp932.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace EncodingCheck {
namespace {

unsigned char At(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::any_of(names.begin(), names.end(),
                       [name](std::string_view n) { return EqualsIgnoringCase(name, n); });
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || s.front() == '"' || s.front() == '\''))
        s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '"' || s.back() == '\''))
        s.remove_suffix(1);
    return s;
}

// UTF-16 without a byte order mark: HTML in it has a zero byte beside nearly every ASCII one.
bool LooksLikeUtf16(std::string_view s) {
    const std::size_t n = std::min<std::size_t>(s.size(), 4096) & ~std::size_t{1};
    if (n < 16)
        return false;
    std::array<std::size_t, 2> zeros{};
    for (std::size_t i = 0; i < n; ++i)
        if (s[i] == 0)
            ++zeros[i % 2];
    const std::size_t half = n / 2;
    return (zeros[0] * 10 >= half * 9 && zeros[1] * 10 < half) ||
           (zeros[1] * 10 >= half * 9 && zeros[0] * 10 < half);
}

bool IsAscii(std::string_view s) {
    return std::none_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Strictly valid UTF-8 with Japanese-looking content: a character of three or four bytes, or
// many of two (a pair of half-width katakana can look like one). A character cut off by the
// end of an incomplete head is accepted.
bool IsUtf8(std::string_view s, bool complete) {
    std::size_t twoByte = 0;
    bool longer = false;
    auto enough = [&] { return longer || twoByte >= 8; };
    for (std::size_t i = 0; i < s.size();) {
        const int length = Utf8::SequenceAt(s, i);
        if (length == Utf8::kCutOff)
            return !complete && enough();
        if (length == 0)
            return false;
        if (length == 2)
            ++twoByte;
        else if (length > 2)
            longer = true;
        i += static_cast<std::size_t>(length);
    }
    return enough();
}

// Valid EUC-JP with hiragana, which Japanese prose never lacks (more than one, since two
// half-width katakana can look like one). Shift-JIS text fails at its first double-byte
// character with a lead byte of 0x81 to 0x9F.
bool IsEucJp(std::string_view s, bool complete) {
    std::size_t hiragana = 0;
    auto isRow = [](unsigned char c) { return c >= 0xA1 && c <= 0xFE; };
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char b = At(s, i);
        if (b < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = b == 0x8F ? 3 : 2;
        if (b != 0x8E && b != 0x8F && !isRow(b))
            return false;
        if (i + length > s.size())
            return !complete && hiragana >= 2;
        const unsigned char t = At(s, i + 1);
        if (b == 0x8E ? (t < 0xA1 || t > 0xDF) : !isRow(t))
            return false;
        if (length == 3 && !isRow(At(s, i + 2)))
            return false;
        if (b == 0xA4 && t <= 0xF3)
            ++hiragana;
        i += length;
    }
    return hiragana >= 2;
}

// ISO-2022-JP switches to JIS X 0208 (or 0212) with ESC $ B, ESC $ @ or ESC $ ( D.
bool IsIso2022Jp(std::string_view s) {
    for (const char* designation : {"\x1b$B", "\x1b$@", "\x1b$(D"})
        if (s.find(designation) != std::string_view::npos)
            return true;
    return false;
}

// The attributes of a <meta> tag that declare a charset, as written.
struct CAttributes {
    std::string_view charset;
    std::string_view httpEquiv;
    std::string_view content;
    bool hasCharset = false;
};

CAttributes ReadAttributes(std::string_view tag) {
    CAttributes out;
    std::size_t i = 0;
    while (i < tag.size()) {
        while (i < tag.size() && (IsBlank(tag[i]) || tag[i] == '/'))
            ++i;
        const std::size_t nameStart = i;
        while (i < tag.size() && !IsBlank(tag[i]) && tag[i] != '=' && tag[i] != '/')
            ++i;
        const std::string_view name = tag.substr(nameStart, i - nameStart);
        while (i < tag.size() && IsBlank(tag[i]))
            ++i;
        std::string_view value;
        if (i < tag.size() && tag[i] == '=') {
            ++i;
            while (i < tag.size() && IsBlank(tag[i]))
                ++i;
            if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
                const char quote = tag[i++];
                const std::size_t end = std::min(tag.find(quote, i), tag.size());
                value = tag.substr(i, end - i);
                i = end + 1;
            } else {
                const std::size_t valueStart = i;
                while (i < tag.size() && !IsBlank(tag[i]))
                    ++i;
                value = tag.substr(valueStart, i - valueStart);
            }
        }
        if (name.empty()) {
            ++i;
        } else if (EqualsIgnoringCase(name, "charset") && !out.hasCharset) {
            out.charset = value;
            out.hasCharset = true;
        } else if (EqualsIgnoringCase(name, "http-equiv")) {
            out.httpEquiv = value;
        } else if (EqualsIgnoringCase(name, "content")) {
            out.content = value;
        }
    }
    return out;
}

// "text/html; charset=Shift_JIS" -> "Shift_JIS".
std::string_view CharsetOfContent(std::string_view content) {
    for (std::size_t i = 0; i + 7 <= content.size(); ++i) {
        if (!EqualsIgnoringCase(content.substr(i, 7), "charset"))
            continue;
        std::size_t j = i + 7;
        while (j < content.size() && IsBlank(content[j]))
            ++j;
        if (j >= content.size() || content[j] != '=')
            continue;
        ++j;
        std::size_t end = j;
        while (end < content.size() && content[end] != ';')
            ++end;
        return Trim(content.substr(j, end - j));
    }
    return {};
}

QString EncodingName(CEncoding encoding) {
    switch (encoding) {
    case CEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case CEncoding::Utf8Bom:
        return QStringLiteral("UTF-8 (BOM付き)");
    case CEncoding::Utf16:
        return QStringLiteral("UTF-16");
    case CEncoding::EucJp:
        return QStringLiteral("EUC-JP");
    case CEncoding::Iso2022Jp:
        return QStringLiteral("ISO-2022-JP");
    default:
        return QStringLiteral("Shift-JIS");
    }
}

bool NamesEncoding(std::string_view name, CEncoding encoding) {
    switch (encoding) {
    case CEncoding::ShiftJis:
        return IsShiftJisName(name);
    case CEncoding::Ascii:
        return true;
    case CEncoding::Utf8:
    case CEncoding::Utf8Bom:
        return IsOneOf(name, {"utf-8", "utf8", "unicode-1-1-utf-8"});
    case CEncoding::Utf16:
        return IsOneOf(name, {"utf-16", "utf-16le", "utf-16be", "unicode", "ucs-2"});
    case CEncoding::EucJp:
        return IsOneOf(name, {"euc-jp", "x-euc-jp", "eucjp", "cseucpkdfmtjapanese"});
    case CEncoding::Iso2022Jp:
        return IsOneOf(name, {"iso-2022-jp", "csiso2022jp"});
    }
    return false;
}

} // namespace

bool IsShiftJisName(std::string_view name) {
    return IsOneOf(name, {"shift_jis", "shift-jis", "sjis", "x-sjis", "windows-31j", "cp932", "ms932",
                          "ms_kanji", "csshiftjis", "cswindows31j", "x-ms-cp932"});
}

std::string DeclaredCharset(std::string_view head) {
    std::size_t i = 0;
    while ((i = head.find('<', i)) != std::string_view::npos) {
        if (head.substr(i, 4) == "<!--") {
            const std::size_t end = head.find("-->", i + 4);
            if (end == std::string_view::npos)
                return {};
            i = end + 3;
            continue;
        }
        const std::size_t close = head.find('>', i);
        if (close == std::string_view::npos)
            return {};
        const std::string_view tag = head.substr(i + 1, close - i - 1);
        i = close + 1;
        if (tag.size() < 5 || !EqualsIgnoringCase(tag.substr(0, 4), "meta") ||
            !(IsBlank(tag[4]) || tag[4] == '/'))
            continue;
        const CAttributes a = ReadAttributes(tag.substr(4));
        if (a.hasCharset && !Trim(a.charset).empty())
            return std::string(Trim(a.charset));
        if (EqualsIgnoringCase(Trim(a.httpEquiv), "content-type")) {
            const std::string_view charset = CharsetOfContent(a.content);
            if (!charset.empty())
                return std::string(charset);
        }
    }
    return {};
}

CFinding Examine(std::string_view head, bool complete) {
    if (head.size() > kHeadBytes) {
        head = head.substr(0, kHeadBytes);
        complete = false;
    }
    CFinding f;
    if (head.substr(0, 3) == "\xEF\xBB\xBF")
        f.encoding = CEncoding::Utf8Bom;
    else if (head.substr(0, 2) == "\xFF\xFE" || head.substr(0, 2) == "\xFE\xFF" || LooksLikeUtf16(head))
        f.encoding = CEncoding::Utf16;
    else if (IsAscii(head))
        f.encoding = IsIso2022Jp(head) ? CEncoding::Iso2022Jp : CEncoding::Ascii;
    else if (IsUtf8(head, complete))
        f.encoding = CEncoding::Utf8;
    else if (IsEucJp(head, complete))
        f.encoding = CEncoding::EucJp;
    else
        f.encoding = CEncoding::ShiftJis;
    // A UTF-16 page's declaration is not readable as bytes.
    if (f.encoding != CEncoding::Utf16)
        f.declared = DeclaredCharset(head);
    f.declaredMatches = f.declared.empty() || NamesEncoding(f.declared, f.encoding);
    return f;
}

std::optional<QString> Warning(const CFinding& finding) {
    const QString keeps = QStringLiteral(
        "Vuro は Shift-JIS のテキストとして編集します。ファイルのバイトは変換せず、そのまま保持します。");
    const QString declared = Cp932::Decode(finding.declared.substr(0, 40));
    switch (finding.encoding) {
    case CEncoding::Ascii:
        return std::nullopt;
    case CEncoding::ShiftJis:
        if (finding.declaredMatches)
            return std::nullopt;
        return QStringLiteral("このファイルは Shift-JIS で書かれていますが、文字コードの宣言は「%1」です。\n"
                              "ブラウザで文字化けするおそれがあります。\n\n%2")
            .arg(declared, keeps);
    default: {
        QString text = QStringLiteral("このファイルは Shift-JIS ではなく、%1 で書かれているようです。")
                           .arg(EncodingName(finding.encoding));
        if (!finding.declared.empty())
            text += QStringLiteral("\n文字コードの宣言は「%1」です。").arg(declared);
        return text + QStringLiteral("\n\n") + keeps;
    }
    }
}

} // namespace EncodingCheck
