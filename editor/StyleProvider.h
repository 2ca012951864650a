#pragma once

#include "editor/TextBuffer.h"

#include <QColor>

#include <cstddef>
#include <cstdint>
#include <vector>

class QPalette;

// How a style number looks. An invalid colour leaves the control's own colour.
struct CTextLook {
    QColor foreground;
    QColor background;
    bool underline = false;
    // A box around each character, solid or dashed, so that the mark does not rest on colour.
    bool frame = false;
    bool dashedFrame = false;
};

// What the edit control asks about the looks of the text: it tells the provider of every
// change of the text and asks only for the styles of the rows it paints.
class CStyleProvider {
public:
    virtual ~CStyleProvider() = default;

    virtual void TextReset(const CTextSnapshot& text) = 0;
    // [start, oldEnd) became [start, newEnd) in text. Returns the offset up to which styles
    // may have changed (past newEnd when the change reaches further, the text's size when
    // it reaches everything after).
    virtual std::size_t TextEdited(const CTextSnapshot& text, std::size_t start, std::size_t oldEnd,
                                   std::size_t newEnd) = 0;
    // One style number per byte of [start, end) of the text; start is a character boundary.
    virtual void StylesOf(std::size_t start, std::size_t end, std::vector<std::uint8_t>& styles) = 0;
    virtual const CTextLook& LookOf(std::uint8_t style, const QPalette& palette) = 0;
    // Does about budget bytes of the work that makes later rows quick to style (in idle
    // time); says whether any remains. A budget of 0 only asks.
    virtual bool ContinueInIdleTime(std::size_t budget) {
        (void)budget;
        return false;
    }
};
