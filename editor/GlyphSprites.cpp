#include "editor/GlyphSprites.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

bool g_enabled = true;

// Contexts (font and kind of device) kept at once, and copies kept per context before the
// oldest are given up; a page uses a few hundred.
constexpr std::size_t kMaxContexts = 4;
constexpr std::size_t kMaxSprites = 8192; // about 10 MB
constexpr std::size_t kMaxColours = 1024;

// A position in whole pixels and 1/64 steps, as the painter rounds it.
struct Split {
    int whole;
    int phase; // 0..63
};

Split SplitPosition(qreal v) {
    const std::int64_t fixed = std::llround(v * 64);
    const std::int64_t whole = fixed >= 0 ? fixed / 64 : -((-fixed + 63) / 64);
    return {static_cast<int>(whole), static_cast<int>(fixed - whole * 64)};
}

} // namespace

std::size_t CGlyphSprites::CTable::SlotOf(std::uint64_t key) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
    while (m_slots[slot] != 0 && m_keys[slot] != key)
        slot = (slot + 1) & mask;
    return slot;
}

const CGlyphSprites::Sprite* CGlyphSprites::CTable::Find(std::uint64_t key) const {
    if (m_slots.empty())
        return nullptr;
    const std::size_t slot = SlotOf(key);
    return m_slots[slot] != 0 ? &m_sprites[m_slots[slot] - 1] : nullptr;
}

void CGlyphSprites::CTable::Insert(std::uint64_t key, Sprite&& sprite) {
    // At most half full, so that probing stays short.
    if (2 * (m_sprites.size() + 1) > m_slots.size()) {
        const std::vector<std::uint64_t> oldKeys = std::move(m_keys);
        const std::vector<std::uint32_t> oldSlots = std::move(m_slots);
        const std::size_t size = std::max<std::size_t>(256, 2 * oldSlots.size());
        m_slots.assign(size, 0);
        m_keys.assign(size, 0);
        for (std::size_t i = 0; i < oldSlots.size(); ++i) {
            if (oldSlots[i] != 0) {
                const std::size_t slot = SlotOf(oldKeys[i]);
                m_keys[slot] = oldKeys[i];
                m_slots[slot] = oldSlots[i];
            }
        }
    }
    const std::size_t slot = SlotOf(key);
    if (m_slots[slot] != 0) {
        m_sprites[m_slots[slot] - 1] = std::move(sprite);
        return;
    }
    m_sprites.push_back(std::move(sprite));
    m_keys[slot] = key;
    m_slots[slot] = static_cast<std::uint32_t>(m_sprites.size());
}

void CGlyphSprites::CTable::Clear() {
    m_keys.clear();
    m_slots.clear();
    m_sprites.clear();
}

void CGlyphSprites::SetEnabled(bool on) {
    g_enabled = on;
}

bool CGlyphSprites::Enabled() {
    return g_enabled;
}

CGlyphSprites& CGlyphSprites::Shared() {
    static CGlyphSprites sprites;
    return sprites;
}

std::size_t CGlyphSprites::Size() const {
    std::size_t n = 0;
    for (const Context& c : m_contexts)
        n += c.sprites.Size();
    return n;
}

bool CGlyphSprites::Begin(QPainter& painter) {
    m_context = nullptr;
    m_image = nullptr;
    if (!g_enabled || !painter.isActive())
        return false;
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice() ||
        engine->paintDevice()->devType() != QInternal::Image)
        return false;
    const auto* image = static_cast<const QImage*>(engine->paintDevice());
    if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy()))
        return false;
    if (painter.compositionMode() != QPainter::CompositionMode_SourceOver || painter.opacity() != 1.0)
        return false;
    const QFont& painterFont = painter.font();
    if (painterFont.underline() || painterFont.strikeOut() || painterFont.overline())
        return false;
    const QString font = painterFont.key();
    const int deviceType = painter.device() ? painter.device()->devType() : 0;
    auto it = std::find_if(m_contexts.begin(), m_contexts.end(),
                           [&](const Context& c) { return c.deviceType == deviceType && c.font == font; });
    if (it == m_contexts.end()) {
        if (m_contexts.size() >= kMaxContexts)
            m_contexts.erase(m_contexts.begin());
        m_contexts.push_back(Context{font, deviceType, {}, {}});
        it = m_contexts.end() - 1;
    }
    m_context = &*it;
    m_image = image;
    m_offset = QPoint(static_cast<int>(t.dx()), static_cast<int>(t.dy()));
    m_visible = image->rect();
    if (!engine->systemClip().isEmpty())
        m_visible &= engine->systemClip().boundingRect();
    return true;
}

std::uint32_t CGlyphSprites::Pixel(int x, int y) const {
    return reinterpret_cast<const std::uint32_t*>(m_image->constScanLine(y))[x];
}

bool CGlyphSprites::Draw(QPainter& painter, char16_t ch, const QPointF& pen, const QColor& fg,
                         const QRect& cell) {
    if (!m_context || fg.alpha() != 255 || cell.isEmpty())
        return false;
    const QRect device = cell.translated(m_offset);
    // The background as the device holds it; the corners of what is painted now stand for
    // the whole cell (outside what is painted, the image holds what it shows).
    const QRect visible = device & m_visible;
    const QRect probe = visible.isEmpty() ? device & m_image->rect() : visible;
    if (probe.isEmpty())
        return false;
    const std::uint32_t background = Pixel(probe.left(), probe.top());
    if ((background >> 24) != 0xFF || Pixel(probe.right(), probe.bottom()) != background ||
        Pixel(probe.right(), probe.top()) != background || Pixel(probe.left(), probe.bottom()) != background)
        return false;

    const std::uint64_t colour = static_cast<std::uint64_t>(fg.rgba()) << 32 | background;
    std::vector<std::uint64_t>& colours = m_context->colours;
    auto found = std::find(colours.begin(), colours.end(), colour);
    if (found == colours.end()) {
        if (colours.size() >= kMaxColours) {
            colours.clear();
            m_context->sprites.Clear();
        }
        colours.push_back(colour);
        found = colours.end() - 1;
    }
    const Split x = SplitPosition(pen.x());
    const Split y = SplitPosition(pen.y());
    const std::uint64_t key = static_cast<std::uint64_t>(ch) | static_cast<std::uint64_t>(x.phase) << 16 |
                              static_cast<std::uint64_t>(y.phase) << 22 |
                              static_cast<std::uint64_t>(found - colours.begin()) << 28;
    const Sprite* sprite = m_context->sprites.Find(key);
    if (!sprite) {
        // Only a glyph painted whole is taken: what it leaves out of sight is unknown.
        if (visible != device)
            return false;
        painter.setPen(fg);
        Capture(painter, ch, pen, cell, background, key);
        return true;
    }
    if (sprite->huge)
        return false;
    if (sprite->ink.isEmpty())
        return true; // a blank
    const QRect ink = sprite->ink.translated(x.whole, y.whole);
    if (!cell.contains(ink))
        return false; // it reaches into a neighbour's pixels
    if (!visible.isEmpty())
        painter.drawImage(ink.topLeft(), sprite->image);
    return true;
}

void CGlyphSprites::Capture(QPainter& painter, char16_t ch, const QPointF& pen, const QRect& cell,
                            std::uint32_t background, std::uint64_t key) {
    const QString text(QChar(static_cast<char16_t>(ch)));
    // The pixels the glyph may reach, inside what the painter may change; the ink must not
    // touch the edge of that window, or it might go on beyond.
    const QRect device = cell.translated(m_offset);
    const int reach = std::max(4, cell.height() / 2);
    const QRect full = device.adjusted(-reach, -reach, reach, reach);
    QRect window = full & m_image->rect();
    const QRegion clip = painter.paintEngine()->systemClip();
    if (!clip.isEmpty()) {
        QRect holding;
        for (const QRect& r : clip) {
            if (r.contains(device))
                holding = r;
        }
        window &= holding;
    }
    if (painter.hasClipping() || !window.contains(device)) {
        painter.drawText(pen, text);
        return;
    }
    const int w = window.width();
    const int h = window.height();
    m_before.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int row = 0; row < h; ++row) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(m_image->constScanLine(window.top() + row));
        std::copy(line + window.left(), line + window.left() + w, m_before.begin() + row * w);
    }
    painter.drawText(pen, text);

    QRect changed;
    bool huge = false;
    for (int row = 0; row < h && !huge; ++row) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(m_image->constScanLine(window.top() + row));
        const std::uint32_t* before = m_before.data() + static_cast<std::ptrdiff_t>(row) * w;
        const bool inCellRows = window.top() + row >= device.top() && window.top() + row <= device.bottom();
        for (int col = 0; col < w; ++col) {
            const int px = window.left() + col;
            const bool inCell = inCellRows && px >= device.left() && px <= device.right();
            // Every pixel the copy stands for must have shown the background before.
            if (inCell && before[col] != background)
                return;
            if (line[px] == before[col])
                continue;
            if (before[col] != background)
                return;
            if (col == 0 || row == 0 || col == w - 1 || row == h - 1) {
                // Past a window edge the painter may not draw, the ink is unknown.
                if (window != full)
                    return;
                huge = true;
                break;
            }
            changed |= QRect(px, window.top() + row, 1, 1);
        }
    }
    const Split x = SplitPosition(pen.x());
    const Split y = SplitPosition(pen.y());
    Sprite sprite;
    sprite.huge = huge;
    if (!huge && !changed.isEmpty()) {
        sprite.image = QImage(changed.size(), QImage::Format_ARGB32_Premultiplied);
        sprite.image.fill(Qt::transparent);
        for (int row = 0; row < changed.height(); ++row) {
            const int py = changed.top() + row;
            const auto* line = reinterpret_cast<const std::uint32_t*>(m_image->constScanLine(py));
            const std::uint32_t* before =
                m_before.data() + static_cast<std::ptrdiff_t>(py - window.top()) * w;
            auto* out = reinterpret_cast<std::uint32_t*>(sprite.image.scanLine(row));
            for (int col = 0; col < changed.width(); ++col) {
                const int px = changed.left() + col;
                if (line[px] != before[px - window.left()])
                    out[col] = line[px] | 0xFF000000u;
            }
        }
        sprite.ink = changed.translated(-m_offset - QPoint(x.whole, y.whole));
    }
    if (m_context->sprites.Size() >= kMaxSprites)
        m_context->sprites.Clear();
    m_context->sprites.Insert(key, std::move(sprite));
}
