#include "editor/LexCheckpoints.h"

#include <algorithm>

void CLexCheckpoints::Reset(std::size_t size) {
    m_front.assign(1, Point{});
    m_back.clear();
    m_size = size;
}

CLexCheckpoints::Point CLexCheckpoints::At(std::size_t index) const {
    if (index < m_front.size())
        return m_front[index];
    const Far& far = m_back[m_back.size() - 1 - (index - m_front.size())];
    return {m_size - far.fromEnd, far.state};
}

std::size_t CLexCheckpoints::Floor(std::size_t offset) const {
    // The first point is at 0, so the answer is never before it.
    std::size_t lo = 0;
    std::size_t hi = Count();
    while (hi - lo > 1) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (At(mid).offset <= offset)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

void CLexCheckpoints::Insert(const Point& point) {
    MoveGap(point.offset);
    m_front.push_back(point);
}

void CLexCheckpoints::TruncateAfter(std::size_t index) {
    const std::size_t keep = index + 1;
    if (keep <= m_front.size()) {
        m_front.resize(keep);
        m_back.clear();
    } else {
        const std::size_t dropBack = Count() - keep;
        m_back.erase(m_back.begin(), m_back.begin() + static_cast<std::ptrdiff_t>(dropBack));
    }
}

CLexCheckpoints CLexCheckpoints::Before(std::size_t offset, std::size_t size) const {
    CLexCheckpoints out;
    const std::size_t last = Floor(offset);
    out.m_front.clear();
    out.m_front.reserve(last + 1);
    for (std::size_t i = 0; i <= last; ++i)
        out.m_front.push_back(At(i));
    out.m_size = size;
    return out;
}

CLexCheckpoints::Point CLexCheckpoints::FirstAfterGap() const {
    return {m_size - m_back.back().fromEnd, m_back.back().state};
}

void CLexCheckpoints::MoveGap(std::size_t offset) {
    while (m_front.size() > 1 && m_front.back().offset > offset) {
        m_back.push_back({m_size - m_front.back().offset, m_front.back().state});
        m_front.pop_back();
    }
    while (!m_back.empty() && m_size - m_back.back().fromEnd <= offset) {
        m_front.push_back({m_size - m_back.back().fromEnd, m_back.back().state});
        m_back.pop_back();
    }
}

void CLexCheckpoints::Edit(std::size_t start, std::size_t oldEnd, std::size_t newEnd) {
    // Points in front of the gap inside (start, oldEnd] are dropped at once rather than moved
    // behind it one by one first: after Select All that is every point of the page.
    const auto after = [](std::size_t offset, const Point& p) { return offset < p.offset; };
    const auto pastOldEnd = std::upper_bound(m_front.begin() + 1, m_front.end(), oldEnd, after);
    for (auto it = m_front.end(); it != pastOldEnd;) {
        --it;
        m_back.push_back({m_size - it->offset, it->state});
    }
    m_front.erase(pastOldEnd, m_front.end());
    m_front.erase(std::upper_bound(m_front.begin() + 1, m_front.end(), start, after), m_front.end());
    MoveGap(start);
    while (!m_back.empty() && m_size - m_back.back().fromEnd <= oldEnd)
        m_back.pop_back();
    // Distances from the end stay as they are; only the size changes.
    m_size = m_size - oldEnd + newEnd;
}
