#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class QColor;
class QPainter;
class QPointF;

// Draws text glyphs by copying the pixels a glyph left the first time it was drawn, instead of
// blending its anti-aliased mask again: blending a page of Japanese text glyph by glyph costs
// milliseconds, copying it a fraction of that. A glyph is taken from the painter's own image
// as it draws it (so the copy is exactly what the painter draws there: same font fallback,
// hinting, gamma and sub-pixel rendering), together with the background it was drawn over,
// the colour and its offset within the pixel. A copy is used again only at the same offset
// over the same background colour, and only where the glyph's ink stays inside the glyph's
// own cell, so that no neighbour's pixels are touched; anything else is drawn as text.
class CGlyphSprites {
public:
    // Prepares drawing with painter in the painter's font. False when copies cannot be used:
    // the painter does not draw into a 32-bit image one to one (a scaled high-density screen,
    // a printer), the font draws lines across whole runs (underline, strike-out), or copies
    // are switched off.
    bool Begin(QPainter& painter);
    // Draws ch with its pen at pen in colour fg, where cell is the pixels the glyph owns (no
    // other glyph draws into them) and all of them show one background colour. Returns false
    // when it drew nothing and the caller should draw the glyph as text.
    bool Draw(QPainter& painter, char16_t ch, const QPointF& pen, const QColor& fg, const QRect& cell);

    std::size_t Size() const;
    // Forgets every copy (they are taken again as glyphs are drawn).
    void Clear() { m_contexts.clear(); }

    // One set for all edit controls.
    static CGlyphSprites& Shared();
    // Copies on (the default) or off, for comparing both ways of drawing.
    static void SetEnabled(bool on);
    static bool Enabled();

private:
    struct Sprite {
        QImage image;      // the pixels the glyph changed, opaque; the rest transparent
        QRect ink;         // relative to the whole pixel of the pen; empty for a blank
        bool huge = false; // its ink reached past the window it was taken in: always text
    };
    // Copies by key, looked up for every glyph painted: open addressing over a power-of-two
    // table, which costs a fraction of a node-based map's lookup.
    class CTable {
    public:
        const Sprite* Find(std::uint64_t key) const;
        void Insert(std::uint64_t key, Sprite&& sprite);
        void Clear();
        std::size_t Size() const { return m_sprites.size(); }

    private:
        std::size_t SlotOf(std::uint64_t key) const;
        std::vector<std::uint64_t> m_keys;
        std::vector<std::uint32_t> m_slots; // index into m_sprites plus 1; 0 for free
        std::vector<Sprite> m_sprites;
    };
    struct Context {
        // The font by its description: a QFont kept here would outlive the application's
        // font cache, which the copies may well do.
        QString font;
        int deviceType = 0;
        std::vector<std::uint64_t> colours; // fg << 32 | background, by index
        CTable sprites;
    };
    // Draws ch as text and keeps what it changed, when that can be known exactly.
    void Capture(QPainter& painter, char16_t ch, const QPointF& pen, const QRect& cell,
                 std::uint32_t background, std::uint64_t key);
    std::uint32_t Pixel(int x, int y) const;

    std::vector<Context> m_contexts;
    Context* m_context = nullptr;
    const QImage* m_image = nullptr;
    QPoint m_offset; // logical to image pixels
    QRect m_visible; // the image pixels this painting may change, as far as known
    std::vector<std::uint32_t> m_before;
};
