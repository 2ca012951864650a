#include "editor/TextBuffer.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstring>
#include <unordered_set>
#include <utility>
#include <vector>

struct CTextSnapshot::Node {
    std::shared_ptr<const Node> left;
    std::shared_ptr<const Node> right;
    // Leaves only: the bytes, a view into a store that may be shared with other leaves (a text
    // read from a file is cut into leaves that all point into the one buffer it was read into).
    std::shared_ptr<const CByteBuffer> store;
    std::string_view bytes;
    std::size_t size = 0;
    std::size_t breaks = 0;
    int height = 0; // leaves are 0

    bool IsLeaf() const { return !left; }
};

namespace {

using Node = CTextSnapshot::Node;
using NodePtr = std::shared_ptr<const Node>;

constexpr std::size_t kChunk = 4096;
// Leaves smaller than this are merged with a neighbour when an edit touches them.
constexpr std::size_t kMinChunk = 1024;
// Inserted bytes at least this long keep their own buffer instead of being copied.
constexpr std::size_t kAdoptedEdit = 64 * 1024;

#ifdef __SSE2__
// Bit k set where p[k] == c, for the sixteen bytes from p.
unsigned BitsOf(const unsigned char* p, char c) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
}
#endif

// CR LF, lone LF and lone CR each count one break: every LF, and every CR not followed by an
// LF. Sixteen bytes at a time, so a text read from disk is counted at memory speed.
std::size_t CountBreaks(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    std::size_t lf = 0;
    std::size_t cr = 0;
    std::size_t crlf = 0;
    std::size_t i = 0;
#ifdef __SSE2__
    for (; i + 17 <= n; i += 16) {
        const unsigned lfMask = BitsOf(p + i, '\n');
        const unsigned crMask = BitsOf(p + i, '\r');
        if ((lfMask | crMask) == 0)
            continue;
        const unsigned pairMask = crMask & BitsOf(p + i + 1, '\n');
        lf += static_cast<std::size_t>(__builtin_popcount(lfMask));
        cr += static_cast<std::size_t>(__builtin_popcount(crMask));
        crlf += static_cast<std::size_t>(__builtin_popcount(pairMask));
    }
#endif
    for (; i < n; ++i) {
        lf += p[i] == '\n';
        if (p[i] == '\r') {
            ++cr;
            crlf += i + 1 < n && p[i + 1] == '\n';
        }
    }
    return lf + cr - crlf;
}

// The first CR or LF at or after from, or the size.
std::size_t NextBreakByte(std::string_view s, std::size_t from) {
    if (from >= s.size())
        return s.size();
    const char* p = s.data() + from;
    const std::size_t n = s.size() - from;
    const void* lf = std::memchr(p, '\n', n);
    const std::size_t upTo = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - p) : n;
    const void* cr = std::memchr(p, '\r', upTo);
    const char* hit = cr ? static_cast<const char*>(cr) : p + upTo;
    return static_cast<std::size_t>(hit - s.data());
}

int Height(const NodePtr& n) {
    return n ? n->height : -1;
}

// A leaf over bytes, which lie inside store.
NodePtr MakeLeafIn(const std::shared_ptr<const CByteBuffer>& store, std::string_view bytes) {
    auto leaf = std::make_shared<Node>();
    leaf->store = store;
    leaf->bytes = bytes;
    leaf->size = bytes.size();
    leaf->breaks = CountBreaks(bytes);
    return leaf;
}

// A leaf with a copy of bytes of its own.
NodePtr MakeLeaf(std::string_view bytes) {
    auto store = std::make_shared<const CByteBuffer>(std::string(bytes));
    return MakeLeafIn(store, store->View());
}

NodePtr MakeNode(NodePtr l, NodePtr r) {
    auto n = std::make_shared<Node>();
    n->size = l->size + r->size;
    n->breaks = l->breaks + r->breaks;
    n->height = std::max(l->height, r->height) + 1;
    n->left = std::move(l);
    n->right = std::move(r);
    return n;
}

// Children whose heights differ by at most 2; rotations restore the AVL balance.
NodePtr Balance(const NodePtr& l, const NodePtr& r) {
    if (Height(l) > Height(r) + 1) {
        if (Height(l->left) >= Height(l->right))
            return MakeNode(l->left, MakeNode(l->right, r));
        return MakeNode(MakeNode(l->left, l->right->left), MakeNode(l->right->right, r));
    }
    if (Height(r) > Height(l) + 1) {
        if (Height(r->right) >= Height(r->left))
            return MakeNode(MakeNode(l, r->left), r->right);
        return MakeNode(MakeNode(l, r->left->left), MakeNode(r->left->right, r->right));
    }
    return MakeNode(l, r);
}

NodePtr Join(const NodePtr& l, const NodePtr& r) {
    if (!l)
        return r;
    if (!r)
        return l;
    if (l->height > r->height + 1)
        return Balance(l->left, Join(l->right, r));
    if (r->height > l->height + 1)
        return Balance(Join(l, r->left), r->right);
    return MakeNode(l, r);
}

// Splits at pos; the callers split only at leaf boundaries, so leaves stay shared.
std::pair<NodePtr, NodePtr> Split(const NodePtr& t, std::size_t pos) {
    if (!t || pos == 0)
        return {nullptr, t};
    if (pos >= t->size)
        return {t, nullptr};
    if (t->IsLeaf()) {
        std::string_view b = t->bytes;
        return {MakeLeaf(b.substr(0, pos)), MakeLeaf(b.substr(pos))};
    }
    if (pos <= t->left->size) {
        auto [a, b] = Split(t->left, pos);
        return {a, Join(b, t->right)};
    }
    auto [a, b] = Split(t->right, pos - t->left->size);
    return {Join(t->left, a), b};
}

NodePtr BuildBalanced(const std::vector<NodePtr>& leaves, std::size_t from, std::size_t to) {
    if (to - from == 1)
        return leaves[from];
    const std::size_t mid = from + (to - from) / 2;
    return MakeNode(BuildBalanced(leaves, from, mid), BuildBalanced(leaves, mid, to));
}

// Chunks of nearly equal size, none ending between a CR and its LF, all pointing into store.
std::vector<NodePtr> CutLeaves(const std::shared_ptr<const CByteBuffer>& store) {
    const std::string_view bytes = store->View();
    std::vector<NodePtr> leaves;
    if (bytes.empty())
        return leaves;
    const std::size_t count = (bytes.size() + kChunk - 1) / kChunk;
    const std::size_t target = bytes.size() / count;
    leaves.reserve(count);
    std::size_t start = 0;
    for (std::size_t i = 1; i <= count && start < bytes.size(); ++i) {
        std::size_t cut = i == count ? bytes.size() : std::max(start + 1, i * target);
        if (cut < bytes.size() && bytes[cut - 1] == '\r' && bytes[cut] == '\n')
            ++cut;
        leaves.push_back(MakeLeafIn(store, bytes.substr(start, cut - start)));
        start = cut;
    }
    return leaves;
}

NodePtr Build(const std::shared_ptr<const CByteBuffer>& store) {
    const std::vector<NodePtr> leaves = CutLeaves(store);
    return leaves.empty() ? nullptr : BuildBalanced(leaves, 0, leaves.size());
}

// Leaves over store with head joined to the first and tail to the last, so that a large
// insertion keeps its buffer and only the few kilobytes around it are copied.
NodePtr BuildAround(const std::string& head, const std::shared_ptr<const CByteBuffer>& store,
                    const std::string& tail) {
    std::vector<NodePtr> leaves = CutLeaves(store);
    if (!head.empty())
        leaves.front() = MakeLeaf(head + std::string(leaves.front()->bytes));
    if (!tail.empty())
        leaves.back() = MakeLeaf(std::string(leaves.back()->bytes) + tail);
    return BuildBalanced(leaves, 0, leaves.size());
}

// The leaf holding offset pos (pos < size) and the offset where it starts.
const Node* FindLeaf(const Node* n, std::size_t pos, std::size_t& leafStart) {
    leafStart = 0;
    while (!n->IsLeaf()) {
        if (pos < n->left->size) {
            n = n->left.get();
        } else {
            pos -= n->left->size;
            leafStart += n->left->size;
            n = n->right.get();
        }
    }
    return n;
}

void Visit(const Node* n, std::size_t nodeStart, std::size_t start, std::size_t end,
           const std::function<void(std::string_view)>& fn) {
    const std::size_t nodeEnd = nodeStart + n->size;
    if (end <= nodeStart || start >= nodeEnd)
        return;
    if (n->IsLeaf()) {
        const std::size_t from = std::max(start, nodeStart) - nodeStart;
        const std::size_t to = std::min(end, nodeEnd) - nodeStart;
        fn(n->bytes.substr(from, to - from));
        return;
    }
    Visit(n->left.get(), nodeStart, start, end, fn);
    Visit(n->right.get(), nodeStart + n->left->size, start, end, fn);
}

// Walks the leaves of a tree forwards or backwards, one subtree at a time.
struct Cursor {
    std::vector<const Node*> pending;
    const Node* cur = nullptr;
    std::size_t used = 0; // bytes of cur (a leaf) already compared
    bool reverse = false;

    Cursor(const Node* root, bool backwards) : cur(root), reverse(backwards) {}
    std::size_t Remaining() const { return cur->size - used; }
    void Next() {
        used = 0;
        if (pending.empty()) {
            cur = nullptr;
        } else {
            cur = pending.back();
            pending.pop_back();
        }
    }
    void Descend() {
        pending.push_back(reverse ? cur->left.get() : cur->right.get());
        cur = reverse ? cur->right.get() : cur->left.get();
    }
};

std::size_t CommonRun(const Node* a, const Node* b, bool reverse, std::size_t limit) {
    Cursor ca(a, reverse), cb(b, reverse);
    std::size_t total = 0;
    while (ca.cur && cb.cur && total < limit) {
        if (ca.cur == cb.cur && ca.used == 0 && cb.used == 0) {
            total += ca.cur->size;
            ca.Next();
            cb.Next();
            continue;
        }
        const bool aLeaf = ca.cur->IsLeaf();
        const bool bLeaf = cb.cur->IsLeaf();
        if (!aLeaf && (bLeaf || ca.Remaining() >= cb.Remaining())) {
            ca.Descend();
            continue;
        }
        if (!bLeaf) {
            cb.Descend();
            continue;
        }
        const std::size_t n = std::min(ca.Remaining(), cb.Remaining());
        const char* pa;
        const char* pb;
        std::size_t same = 0;
        if (!reverse) {
            pa = ca.cur->bytes.data() + ca.used;
            pb = cb.cur->bytes.data() + cb.used;
            same = static_cast<std::size_t>(std::mismatch(pa, pa + n, pb).first - pa);
        } else {
            pa = ca.cur->bytes.data() + ca.cur->size - ca.used;
            pb = cb.cur->bytes.data() + cb.cur->size - cb.used;
            while (same < n &&
                   pa[-1 - static_cast<std::ptrdiff_t>(same)] == pb[-1 - static_cast<std::ptrdiff_t>(same)])
                ++same;
        }
        total += same;
        if (same < n)
            break;
        ca.used += n;
        cb.used += n;
        if (ca.used == ca.cur->size)
            ca.Next();
        if (cb.used == cb.cur->size)
            cb.Next();
    }
    return std::min(total, limit);
}

} // namespace

CTextSnapshot::CTextSnapshot() = default;
CTextSnapshot::CTextSnapshot(std::string_view bytes)
    : m_root(Build(std::make_shared<const CByteBuffer>(CByteBuffer::Copy(bytes)))) {}
CTextSnapshot CTextSnapshot::Adopting(std::string&& bytes) {
    return Adopting(CByteBuffer(std::move(bytes)));
}

CTextSnapshot CTextSnapshot::Adopting(CByteBuffer&& bytes) {
    return CTextSnapshot(Build(std::make_shared<const CByteBuffer>(std::move(bytes))));
}
CTextSnapshot::CTextSnapshot(std::shared_ptr<const Node> root) : m_root(std::move(root)) {}

std::size_t CTextSnapshot::Size() const {
    return m_root ? m_root->size : 0;
}

char CTextSnapshot::At(std::size_t offset) const {
    if (offset >= Size())
        return '\0';
    std::size_t leafStart;
    const Node* leaf = FindLeaf(m_root.get(), offset, leafStart);
    return leaf->bytes[offset - leafStart];
}

void CTextSnapshot::VisitPieces(std::size_t start, std::size_t end,
                                const std::function<void(std::string_view)>& fn) const {
    end = std::min(end, Size());
    if (m_root && start < end)
        Visit(m_root.get(), 0, start, end, fn);
}

std::string CTextSnapshot::Range(std::size_t start, std::size_t end) const {
    std::string out;
    end = std::min(end, Size());
    if (start < end)
        out.reserve(end - start);
    VisitPieces(start, end, [&](std::string_view piece) { out.append(piece); });
    return out;
}

std::string CTextSnapshot::ToString() const {
    return Range(0, Size());
}

CSnapshotMark::CSnapshotMark(const CTextSnapshot& text)
    : m_root(text.m_root), m_set(true), m_empty(text.Empty()) {}

bool CSnapshotMark::Marks(const CTextSnapshot& text) const {
    if (!m_set)
        return false;
    if (m_empty)
        return text.Empty();
    const auto root = m_root.lock();
    return root && root == text.m_root;
}

bool CTextSnapshot::operator==(const CTextSnapshot& other) const {
    return Size() == other.Size() && (m_root == other.m_root || CommonPrefix(*this, other) == Size());
}

std::string_view CTextSnapshot::View(std::size_t start, std::size_t end, std::string& scratch) const {
    end = std::min(end, Size());
    if (start >= end)
        return {};
    std::size_t leafStart;
    const Node* leaf = FindLeaf(m_root.get(), start, leafStart);
    if (end <= leafStart + leaf->size)
        return leaf->bytes.substr(start - leafStart, end - start);
    scratch = Range(start, end);
    return scratch;
}

CTextSnapshot CTextSnapshot::Replaced(std::size_t start, std::size_t end, std::string_view bytes) const {
    return ReplacedAdopting(start, end, std::string(bytes));
}

CTextSnapshot CTextSnapshot::ReplacedAdopting(std::size_t start, std::size_t end, std::string&& bytes) const {
    const std::size_t size = Size();
    end = std::min(end, size);
    start = std::min(start, end);
    if (!m_root)
        return Adopting(std::move(bytes));
    // The whole leaves touched by the edit are rebuilt; every other leaf stays shared.
    std::size_t leafStart;
    FindLeaf(m_root.get(), std::min(start, size - 1), leafStart);
    std::size_t ls = leafStart;
    const Node* last = FindLeaf(m_root.get(), std::min(end > start ? end - 1 : start, size - 1), leafStart);
    std::size_t le = leafStart + last->size;
    // The new bytes of [ls, le) are head + bytes + tail.
    std::string head = Range(ls, start);
    std::string tail = Range(end, le);
    auto total = [&] { return head.size() + bytes.size() + tail.size(); };
    auto front = [&] { return !head.empty() ? head.front() : !bytes.empty() ? bytes.front() : tail.front(); };
    auto back = [&] { return !tail.empty() ? tail.back() : !bytes.empty() ? bytes.back() : head.back(); };
    auto extendBack = [&] {
        const Node* prev = FindLeaf(m_root.get(), ls - 1, leafStart);
        head.insert(0, prev->bytes);
        ls = leafStart;
    };
    auto extendForward = [&] {
        const Node* next = FindLeaf(m_root.get(), le, leafStart);
        tail.append(next->bytes);
        le = leafStart + next->size;
    };
    for (bool again = true; again;) {
        again = false;
        if (le < size && (total() == 0 || back() == '\r') && At(le) == '\n') {
            extendForward();
            again = true;
        }
        if (ls > 0 && (total() == 0 || front() == '\n') && At(ls - 1) == '\r') {
            extendBack();
            again = true;
        }
        if (!again && total() < kMinChunk && (le < size || ls > 0)) {
            if (le < size)
                extendForward();
            else
                extendBack();
            again = true;
        }
    }

    NodePtr middle;
    if (bytes.size() < kAdoptedEdit) {
        middle = Build(std::make_shared<const CByteBuffer>(head + bytes + tail));
    } else {
        middle = BuildAround(head, std::make_shared<const CByteBuffer>(std::move(bytes)), tail);
    }
    auto [before, rest] = Split(m_root, ls);
    auto [old, after] = Split(rest, le - ls);
    return CTextSnapshot(Join(Join(before, middle), after));
}

std::size_t CTextSnapshot::LineCount() const {
    return (m_root ? m_root->breaks : 0) + 1;
}

std::size_t CTextSnapshot::LineStart(std::size_t line) const {
    if (line == 0 || !m_root)
        return 0;
    if (line > m_root->breaks)
        return Size();
    const Node* n = m_root.get();
    std::size_t offset = 0;
    std::size_t k = line;
    while (!n->IsLeaf()) {
        if (k <= n->left->breaks) {
            n = n->left.get();
        } else {
            k -= n->left->breaks;
            offset += n->left->size;
            n = n->right.get();
        }
    }
    const std::string_view b = n->bytes;
    std::size_t i = 0;
    for (;;) {
        i = NextBreakByte(b, i);
        if (i == b.size())
            return offset + b.size();
        if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n')
            ++i;
        ++i;
        if (--k == 0)
            return offset + i;
    }
}

void CTextSnapshot::ForEachLine(
    std::size_t first, std::size_t last,
    const std::function<bool(std::size_t, std::size_t, std::string_view)>& fn) const {
    const std::size_t lines = LineCount();
    if (first >= lines || last < first)
        return;
    last = std::min(last, lines - 1);
    const std::size_t from = LineStart(first);
    const std::size_t to = last + 1 < lines ? LineStart(last + 1) : Size();
    std::size_t line = first;
    std::size_t lineStart = from;
    std::size_t offset = from;
    std::string carry;
    bool carrying = false;
    bool stopped = false;
    // A CR ending the previous piece, whose LF may open this one.
    bool crPending = false;
    VisitPieces(from, to, [&](std::string_view piece) {
        if (stopped)
            return;
        std::size_t i = 0;
        if (crPending) {
            crPending = false;
            if (!piece.empty() && piece[0] == '\n') {
                i = 1;
                lineStart = offset + 1;
            }
        }
        while (i < piece.size() && !stopped) {
            const std::size_t j = NextBreakByte(piece, i);
            if (j == piece.size()) {
                carry.append(piece.substr(i));
                carrying = true;
                break;
            }
            std::string_view content = piece.substr(i, j - i);
            if (carrying) {
                carry.append(content);
                content = carry;
            }
            stopped = line > last || !fn(line, lineStart, content);
            ++line;
            carry.clear();
            carrying = false;
            if (piece[j] == '\r' && j + 1 == piece.size()) {
                crPending = true;
                i = j + 1;
                lineStart = offset + i;
                break;
            }
            i = j + (piece[j] == '\r' && piece[j + 1] == '\n' ? 2 : 1);
            lineStart = offset + i;
        }
        offset += piece.size();
    });
    // The last line ends at the end of the text, or its break is the last thing visited.
    if (!stopped && line <= last)
        fn(line, lineStart, carry);
}

void CTextSnapshot::ForEachLineLength(const std::function<void(std::size_t)>& fn) const {
    // Leaves never end between a CR and its LF, so a CR ending a leaf is a lone one.
    std::size_t length = 0;
    VisitPieces(0, Size(), [&](std::string_view piece) {
        const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
        const std::size_t n = piece.size();
        std::size_t lineStart = 0; // in this piece; the line began length bytes before it
        auto lineEnds = [&](std::size_t at) {
            fn(length + at - lineStart);
            length = 0;
            lineStart = at + (p[at] == '\r' && at + 1 < n && p[at + 1] == '\n' ? 2 : 1);
        };
        std::size_t i = 0;
#ifdef __SSE2__
        for (; i + 16 <= n; i += 16) {
            unsigned mask = BitsOf(p + i, '\n') | BitsOf(p + i, '\r');
            while (mask != 0) {
                const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
                mask &= mask - 1;
                if (at >= lineStart)
                    lineEnds(at);
            }
        }
#endif
        for (; i < n; ++i) {
            if ((p[i] == '\n' || p[i] == '\r') && i >= lineStart)
                lineEnds(i);
        }
        length += n - std::min(lineStart, n);
    });
    fn(length);
}

std::size_t CTextSnapshot::LineContentEnd(std::size_t line) const {
    if (line + 1 >= LineCount())
        return Size();
    const std::size_t next = LineStart(line + 1);
    if (next >= 2 && At(next - 1) == '\n' && At(next - 2) == '\r')
        return next - 2;
    return next - 1;
}

std::size_t CTextSnapshot::LineFromOffset(std::size_t offset) const {
    if (!m_root)
        return 0;
    if (offset >= Size())
        return m_root->breaks;
    const Node* n = m_root.get();
    std::size_t count = 0;
    while (!n->IsLeaf()) {
        if (offset >= n->left->size) {
            count += n->left->breaks;
            offset -= n->left->size;
            n = n->right.get();
        } else {
            n = n->left.get();
        }
    }
    const std::string_view b = n->bytes;
    for (std::size_t i = NextBreakByte(b, 0); i < offset; i = NextBreakByte(b, i + 1)) {
        if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n') {
            ++i;
            if (i + 1 <= offset)
                ++count;
        } else {
            ++count;
        }
    }
    return count;
}

std::size_t CTextSnapshot::CommonPrefix(const CTextSnapshot& a, const CTextSnapshot& b) {
    if (!a.m_root || !b.m_root)
        return 0;
    return CommonRun(a.m_root.get(), b.m_root.get(), false, std::min(a.Size(), b.Size()));
}

std::size_t CTextSnapshot::CommonSuffix(const CTextSnapshot& a, const CTextSnapshot& b, std::size_t prefix) {
    if (!a.m_root || !b.m_root)
        return 0;
    const std::size_t shorter = std::min(a.Size(), b.Size());
    if (prefix >= shorter)
        return 0;
    return CommonRun(a.m_root.get(), b.m_root.get(), true, shorter - prefix);
}

std::size_t CTextSnapshot::StorageBytes(std::span<const CTextSnapshot> snapshots) {
    // A shared_ptr made by make_shared keeps its counts beside the node.
    constexpr std::size_t kControlBlock = 16;
    std::unordered_set<const Node*> seen;
    std::unordered_set<const CByteBuffer*> stores;
    std::vector<const Node*> todo;
    std::size_t total = 0;
    for (const CTextSnapshot& s : snapshots) {
        if (s.m_root)
            todo.push_back(s.m_root.get());
    }
    while (!todo.empty()) {
        const Node* n = todo.back();
        todo.pop_back();
        if (!seen.insert(n).second)
            continue;
        total += sizeof(Node) + kControlBlock;
        if (n->IsLeaf()) {
            if (n->store && stores.insert(n->store.get()).second && n->store->Capacity() > 15)
                total += n->store->Capacity() + 1 + kControlBlock;
        } else {
            todo.push_back(n->left.get());
            todo.push_back(n->right.get());
        }
    }
    return total;
}
