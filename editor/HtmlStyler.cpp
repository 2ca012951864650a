#include "editor/HtmlStyler.h"

#include "editor/DependentChars.h"
#include "platform/Cp932.h"

#include <QPalette>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

using HtmlLexer::Style;

// Points follow the first line start at least kMinSpacing bytes after the one before, or
// in a long line the first '<' at least kLongSpacing bytes after it, and are never more
// than kMaxSpacing apart. Both rules depend only on the text, so after an edit the new
// points soon fall where the old ones stood, and the states there can be compared.
constexpr std::size_t kMinSpacing = 256;
constexpr std::size_t kLongSpacing = 4096;
constexpr std::size_t kMaxSpacing = 64 * 1024;
// How far past an edit re-lexing goes before it leaves the rest to be lexed when shown.
constexpr std::size_t kSettleBudget = 64 * 1024;

// The longest stretch the lexer restyles backwards: "</script" before its terminator.
constexpr std::size_t kLookAhead = 16;

constexpr double kMinContrast = 4.5;

struct Hue {
    double hue; // degrees
    double saturation;
};
// Indexed by HtmlLexer::Style; the text itself keeps the palette's colour.
constexpr Hue kHues[HtmlLexer::kStyleCount] = {
    {0, 0},      // Text
    {215, 0.8},  // Tag
    {0, 0.7},    // AttributeName
    {285, 0.6},  // AttributeValue
    {120, 0.6},  // Comment
    {30, 0.9},   // Reference
    {0, 0},      // Doctype
    {180, 0.8},  // Script
    {255, 0.55}, // StyleSheet
};

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
    return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

bool IsDark(const QColor& c) {
    // Mid grey: above it black text reads better, below it white.
    return Luminance(c) < 0.18;
}

// The colour of a hue that reads on background: darker on light, lighter on dark.
QColor Readable(const Hue& hue, const QColor& background) {
    const bool dark = IsDark(background);
    double lightness = dark ? 0.72 : 0.36;
    QColor c;
    for (int step = 0; step < 30; ++step) {
        c = QColor::fromHslF(static_cast<float>(hue.hue / 360.0), static_cast<float>(hue.saturation),
                             static_cast<float>(lightness));
        if (CHtmlStyler::Contrast(c, background) >= kMinContrast)
            break;
        lightness = std::clamp(lightness + (dark ? 0.03 : -0.03), 0.0, 1.0);
    }
    return c;
}

// An amber that stands out from the base: darker than a light base, lighter than a dark one.
QColor MarkBackground(const QColor& base) {
    const bool dark = IsDark(base);
    double lightness = dark ? 0.22 : 0.86;
    QColor c;
    for (int step = 0; step < 20; ++step) {
        c = QColor::fromHslF(40.0f / 360.0f, dark ? 0.7f : 1.0f, static_cast<float>(lightness));
        if (CHtmlStyler::Contrast(c, base) >= 1.3)
            break;
        lightness += dark ? 0.02 : -0.02;
    }
    return c;
}

} // namespace

double CHtmlStyler::Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

CTextLook CHtmlStyler::LookFor(std::uint8_t style, const QColor& base, const QColor& text) {
    CTextLook look;
    const int lexStyle = style & 0x0F;
    const int mark = style & (kVendorMark | kUserDefinedMark);
    QColor background = base;
    if (mark) {
        look.background = MarkBackground(base);
        background = look.background;
        look.frame = true;
        look.dashedFrame = (mark & kUserDefinedMark) != 0;
    }
    if (lexStyle > 0 && lexStyle < HtmlLexer::kStyleCount)
        look.foreground = Readable(kHues[lexStyle], background);
    else if (mark && Contrast(text, background) < kMinContrast)
        look.foreground = Readable(Hue{0, 0}, background);
    look.underline = lexStyle == static_cast<int>(Style::Reference);
    return look;
}

const CTextLook& CHtmlStyler::LookOf(std::uint8_t style, const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    if (base != m_lookBase || text != m_lookText) {
        m_lookBase = base;
        m_lookText = text;
        for (std::size_t i = 0; i < m_looks.size(); ++i)
            m_looks[i] = LookFor(static_cast<std::uint8_t>(i), base, text);
    }
    return m_looks[style & (m_looks.size() - 1)];
}

void CHtmlStyler::TextReset(const CTextSnapshot& text) {
    m_rowEnd = static_cast<std::size_t>(-1);
    m_text = text;
    m_points.Reset(text.Size());
    m_keptText = CTextSnapshot();
    m_keptPoints.Reset(0);
}

std::size_t CHtmlStyler::TextEdited(const CTextSnapshot& text, std::size_t start, std::size_t oldEnd,
                                    std::size_t newEnd) {
    // Marks depend on the characters alone; colours on the state the edit leaves behind.
    // Comparing states around a large change (Select All and typing, its undo, Replace All)
    // would lex all of it at once: such a change drops the states after it instead, and its
    // rows are lexed when they are shown.
    const bool small = oldEnd - start <= kSettleBudget && newEnd - start <= kSettleBudget;
    if (!small) {
        m_rowEnd = static_cast<std::size_t>(-1);
        if (m_keptText.Size() == text.Size() && m_keptText == text) {
            std::swap(m_keptText, m_text);
            std::swap(m_keptPoints, m_points);
            return text.Size();
        }
        m_keptText = std::exchange(m_text, text);
        m_keptPoints = std::exchange(m_points, m_points.Before(start, text.Size()));
        return m_colouring ? text.Size() : newEnd;
    }
    const bool lexedNear = m_colouring && small && start <= m_points.Last().offset + kMaxSpacing;
    const HtmlLexer::State before = lexedNear ? StateAt(oldEnd) : HtmlLexer::State{};
    m_rowEnd = static_cast<std::size_t>(-1);
    m_text = text;
    m_points.Edit(start, oldEnd, newEnd);
    const std::size_t size = text.Size();
    if (!m_colouring) {
        // States past the edit are not kept up while colouring is off.
        m_points.DropAfterGap();
        return newEnd;
    }
    if (!lexedNear) {
        m_points.DropAfterGap();
        return size;
    }
    CLexCheckpoints::Point p = m_points.At(m_points.Floor(start));
    // The usual case: the edit leaves the same state behind, so nothing after it changes.
    if (LexRange(p.offset, newEnd, p.state) == before)
        return newEnd;
    for (;;) {
        const std::size_t q = NextPoint(p.offset);
        const HtmlLexer::State state = LexRange(p.offset, q, p.state);
        if (q >= size) {
            m_points.DropAfterGap();
            return size;
        }
        while (m_points.HasAfterGap() && m_points.FirstAfterGap().offset < q)
            m_points.DropFirstAfterGap();
        if (m_points.HasAfterGap() && m_points.FirstAfterGap().offset == q) {
            if (q > newEnd && m_points.FirstAfterGap().state == state)
                return q; // settled: every later state is what it was
            m_points.DropFirstAfterGap();
        }
        m_points.InsertAtGap({q, state});
        if (!m_points.HasAfterGap() || q - std::min(q, newEnd) > kSettleBudget) {
            m_points.DropAfterGap();
            return size;
        }
        p = {q, state};
    }
}

std::size_t CHtmlStyler::NextPoint(std::size_t offset) const {
    const std::size_t size = m_text.Size();
    if (size - offset <= kMinSpacing)
        return size;
    const std::size_t limit = std::min(size, offset + kMaxSpacing);
    const std::size_t longFrom = offset + kLongSpacing;
    std::size_t found = limit;
    std::size_t at = offset + kMinSpacing;
    // The first line start, or in a long line the first '<' far enough on, whichever comes
    // first; read piece by piece where the text keeps it, without copying.
    m_text.ForEachPiece(at, limit, [&](std::string_view piece) {
        const std::size_t pieceStart = at;
        at += piece.size();
        if (found != limit)
            return;
        const auto* nl = static_cast<const char*>(std::memchr(piece.data(), '\n', piece.size()));
        const std::size_t nlAt = nl ? static_cast<std::size_t>(nl - piece.data()) : piece.size();
        if (pieceStart + nlAt > longFrom) {
            const std::size_t from = longFrom > pieceStart ? longFrom - pieceStart : 0;
            if (const auto* lt =
                    static_cast<const char*>(std::memchr(piece.data() + from, '<', nlAt - from))) {
                found = pieceStart + static_cast<std::size_t>(lt - piece.data());
                return;
            }
        }
        if (nl)
            found = pieceStart + nlAt + 1;
    });
    return found;
}

HtmlLexer::State CHtmlStyler::LexRange(std::size_t start, std::size_t end, HtmlLexer::State state,
                                       HtmlLexer::Style* styles) {
    m_lexedBytes += end - start;
    if (styles)
        return HtmlLexer::Lex(m_text.View(start, end, m_scratch), state, styles);
    // A state comes out the same however the bytes are split, so the pieces need no copy.
    m_text.ForEachPiece(start, end, [&](std::string_view piece) { state = HtmlLexer::Lex(piece, state); });
    return state;
}

void CHtmlStyler::ExtendTo(std::size_t offset) {
    // No point stands after the last one at or before offset up to offset, so the new ones
    // follow it. The bytes are read in one pass, lexed and searched for the next point
    // together: a far jump into a large page lexes everything before it once.
    const std::size_t size = m_text.Size();
    CLexCheckpoints::Point p = m_points.At(m_points.Floor(offset));
    if (NextPoint(p.offset) > offset)
        return;
    HtmlLexer::State state = p.state;
    std::size_t pos = p.offset;
    bool done = false;
    auto lexTo = [&](std::string_view piece, std::size_t pieceStart, std::size_t to) {
        state = HtmlLexer::Lex(piece.substr(pos - pieceStart, to - pos), state);
        m_lexedBytes += to - pos;
        pos = to;
    };
    m_text.ForEachPiece(p.offset, std::min(size, offset + 1), [&](std::string_view piece) {
        const std::size_t pieceStart = pos;
        const std::size_t pieceEnd = pieceStart + piece.size();
        while (!done && pos < pieceEnd) {
            if (size - p.offset <= kMinSpacing) {
                done = true;
                return;
            }
            const std::size_t limit = std::min(size, p.offset + kMaxSpacing);
            const std::size_t from = std::max(pos, p.offset + kMinSpacing);
            const std::size_t scanEnd = std::min(pieceEnd, limit);
            std::size_t q = static_cast<std::size_t>(-1);
            if (from < scanEnd) {
                const char* base = piece.data() - pieceStart;
                const auto* nl = static_cast<const char*>(std::memchr(base + from, '\n', scanEnd - from));
                const std::size_t nlAt = nl ? static_cast<std::size_t>(nl - base) : scanEnd;
                const std::size_t longFrom = std::max(from, p.offset + kLongSpacing);
                const auto* lt =
                    longFrom < nlAt
                        ? static_cast<const char*>(std::memchr(base + longFrom, '<', nlAt - longFrom))
                        : nullptr;
                if (lt)
                    q = static_cast<std::size_t>(lt - base);
                else if (nl)
                    q = nlAt + 1;
            }
            if (q == static_cast<std::size_t>(-1) && scanEnd == limit)
                q = limit; // no line start or '<' within reach
            if (q == static_cast<std::size_t>(-1)) {
                lexTo(piece, pieceStart, pieceEnd);
                continue;
            }
            if (q > offset || q >= size) {
                done = true;
                return;
            }
            lexTo(piece, pieceStart, q);
            p = {q, state};
            m_points.Insert(p);
        }
        pos = pieceEnd;
    });
}

bool CHtmlStyler::ContinueInIdleTime(std::size_t budget) {
    const std::size_t size = m_text.Size();
    if (!m_colouring || m_points.Last().offset + kMaxSpacing >= size)
        return false;
    ExtendTo(std::min(size, m_points.Last().offset + budget));
    return m_points.Last().offset + kMaxSpacing < size;
}

HtmlLexer::State CHtmlStyler::StateAt(std::size_t offset) {
    offset = std::min(offset, m_text.Size());
    ExtendTo(offset);
    const CLexCheckpoints::Point p = m_points.At(m_points.Floor(offset));
    return LexRange(p.offset, offset, p.state);
}

void CHtmlStyler::StylesOf(std::size_t start, std::size_t end, std::vector<std::uint8_t>& styles) {
    end = std::min(end, m_text.Size());
    start = std::min(start, end);
    styles.assign(end - start, 0);
    if (start == end)
        return;
    if (m_colouring) {
        ExtendTo(start);
        CLexCheckpoints::Point p = m_points.At(m_points.Floor(start));
        if (m_rowEnd <= start && m_rowEnd > p.offset)
            p = {m_rowEnd, m_rowEndState};
        // Lexing from start gives its bytes the styles lexing from further back gives them:
        // a later byte restyles only bytes of the same call.
        const HtmlLexer::State atStart = LexRange(p.offset, start, p.state);
        // A byte's style can depend on the few bytes after it ("<" then "!--"), so the lexing
        // goes on a little past the end.
        const std::size_t lexEnd = std::min(m_text.Size(), end + kLookAhead);
        m_lexStyles.resize(lexEnd - start);
        LexRange(start, lexEnd, atStart, m_lexStyles.data());
        for (std::size_t k = 0; k < styles.size(); ++k)
            styles[k] = static_cast<std::uint8_t>(m_lexStyles[k]);
        m_rowEnd = end;
        m_rowEndState = LexRange(start, end, atStart);
    }
    if (m_marking) {
        const std::string_view bytes = m_text.View(start, end, m_scratch);
        for (std::size_t i = 0; i < bytes.size();) {
            const std::size_t length = Cp932::CharLength(bytes, i);
            const DependentChars::Kind kind = DependentChars::KindAt(bytes, i);
            if (kind != DependentChars::Kind::None) {
                const std::uint8_t mark =
                    kind == DependentChars::Kind::Vendor ? kVendorMark : kUserDefinedMark;
                styles[i] |= mark;
                styles[i + 1] |= mark;
            }
            i += length;
        }
    }
}
