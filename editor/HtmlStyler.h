#pragma once

#include "editor/HtmlLexer.h"
#include "editor/LexCheckpoints.h"
#include "editor/StyleProvider.h"

#include <QColor>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The looks of an HTML page in the edit control: markup coloured by the HTML lexer and the
// platform-dependent characters marked. Lexer states are kept at points of the text
// (line starts, and '<' inside very long lines); a row is lexed from the nearest point
// before it, the text is lexed only as far as the rows shown, and an edit re-lexes from
// its line only until the states come out as before.
class CHtmlStyler : public CStyleProvider {
public:
    // Style numbers: the lexer's style in the low bits, a mark for dependent characters.
    static constexpr std::uint8_t kVendorMark = 0x10;
    static constexpr std::uint8_t kUserDefinedMark = 0x20;

    void SetColouring(bool on) { m_colouring = on; }
    bool Colouring() const { return m_colouring; }
    void SetMarking(bool on) { m_marking = on; }
    bool Marking() const { return m_marking; }

    void TextReset(const CTextSnapshot& text) override;
    std::size_t TextEdited(const CTextSnapshot& text, std::size_t start, std::size_t oldEnd,
                           std::size_t newEnd) override;
    void StylesOf(std::size_t start, std::size_t end, std::vector<std::uint8_t>& styles) override;
    const CTextLook& LookOf(std::uint8_t style, const QPalette& palette) override;
    // Lexes on from the last kept state, so that a jump far into the page finds its state.
    bool ContinueInIdleTime(std::size_t budget) override;

    // The look of a style number over a base colour, with text as the usual text colour:
    // dark colours on a light base and light ones on a dark base, each with a contrast of
    // at least 4.5 to its background.
    static CTextLook LookFor(std::uint8_t style, const QColor& base, const QColor& text);
    // The contrast ratio of two colours (1 to 21), as accessibility guidelines count it.
    static double Contrast(const QColor& a, const QColor& b);

    // The lexer state at offset (lexing as far as needed) and the bytes lexed so far, for
    // tests that the work stays local.
    HtmlLexer::State StateAt(std::size_t offset);
    std::size_t LexedBytes() const { return m_lexedBytes; }
    const CLexCheckpoints& Points() const { return m_points; }

private:
    // Where the point after the one at offset goes.
    std::size_t NextPoint(std::size_t offset) const;
    HtmlLexer::State LexRange(std::size_t start, std::size_t end, HtmlLexer::State state,
                              HtmlLexer::Style* styles = nullptr);
    // Adds points (lexing up to them) until the point before offset is near it.
    void ExtendTo(std::size_t offset);

    CTextSnapshot m_text;
    CLexCheckpoints m_points;
    // The states a large change dropped, with the text they belong to: undo of that change
    // brings the same text back, and its states with it, instead of lexing it all again.
    CTextSnapshot m_keptText;
    CLexCheckpoints m_keptPoints;
    // The state where the rows asked last ended: the next row painted usually starts there,
    // so a page of rows is lexed once instead of each row from the point before it (which
    // in a long line without '<' can be 64 KB back).
    std::size_t m_rowEnd = static_cast<std::size_t>(-1);
    HtmlLexer::State m_rowEndState;
    bool m_colouring = true;
    bool m_marking = true;
    std::size_t m_lexedBytes = 0;
    std::string m_scratch;
    std::vector<HtmlLexer::Style> m_lexStyles;

    QColor m_lookBase;
    QColor m_lookText;
    std::array<CTextLook, 64> m_looks;
};
