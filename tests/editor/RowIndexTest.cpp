#include "editor/RowIndex.h"
#include "editor/RowStarts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace {

void ExpectSameRows(const CRowIndex& index, const std::vector<int>& model) {
    ASSERT_EQ(index.LineCount(), model.size());
    ASSERT_EQ(index.RowCount(), std::accumulate(model.begin(), model.end(), std::int64_t{0}));
    std::int64_t before = 0;
    for (std::size_t line = 0; line < model.size(); ++line) {
        ASSERT_EQ(index.Get(line).rows, model[line]);
        ASSERT_EQ(index.RowsBefore(line), before);
        for (int r = 0; r < model[line]; r += 1 + r / 2) {
            std::int64_t inLine = -1;
            ASSERT_EQ(index.LineOfRow(before + r, inLine), line);
            ASSERT_EQ(inLine, r);
        }
        before += model[line];
    }
}

void ExpectSameStarts(const CRowStarts& starts, const std::vector<std::size_t>& model) {
    ASSERT_EQ(starts.Size(), model.size());
    for (std::size_t i = 0; i < model.size(); ++i)
        ASSERT_EQ(starts.At(i), model[i]);
    for (std::size_t probe = 0; probe <= (model.empty() ? 0 : model.back() + 2); probe += 3) {
        const auto expected =
            static_cast<std::size_t>(std::upper_bound(model.begin(), model.end(), probe) - model.begin());
        ASSERT_EQ(starts.UpperBound(probe), expected) << "probe " << probe;
    }
}

// Estimated lines: their count, the next one from any line, and the entries of a range.
void ExpectSameEstimates(const CRowIndex& index, const std::vector<bool>& estimated, std::mt19937& rng) {
    ASSERT_EQ(index.EstimatedLines(),
              static_cast<std::size_t>(std::count(estimated.begin(), estimated.end(), true)));
    for (int probe = 0; probe < 50; ++probe) {
        const std::size_t from = rng() % (estimated.size() + 1);
        const auto next = static_cast<std::size_t>(
            std::find(estimated.begin() + static_cast<std::ptrdiff_t>(from), estimated.end(), true) -
            estimated.begin());
        ASSERT_EQ(index.NextEstimated(from), next) << "from " << from;
        const std::size_t end = std::min(estimated.size(), from + rng() % 1200);
        const auto entries = index.Entries(from, end);
        ASSERT_EQ(entries.size(), end - from);
        for (std::size_t i = 0; i < entries.size(); ++i)
            ASSERT_EQ(entries[i].Estimated(), estimated[from + i]);
    }
}

} // namespace

TEST(RowIndex, SplicedLinesKeepTheirRowCountsAndPrefixSums) {
    std::mt19937 rng(2);
    std::vector<int> model(3000);
    for (int& rows : model)
        rows = 1 + static_cast<int>(rng() % 4);
    std::vector<CRowIndex::Entry> entries;
    for (int rows : model)
        entries.push_back({rows, -1});
    CRowIndex index;
    index.Assign(entries);
    ExpectSameRows(index, model);
    // Built line by line, the index is the same.
    CRowIndex appended;
    appended.Clear();
    for (const auto& e : entries)
        appended.Append(e);
    appended.EndAppending();
    ExpectSameRows(appended, model);
    std::vector<bool> estimated(model.size(), false);
    for (int step = 0; step < 400; ++step) {
        const std::size_t at = rng() % (model.size() + 1);
        const std::size_t remove =
            std::min(model.size() - at, static_cast<std::size_t>(rng() % (step % 10 == 0 ? 2000 : 3)));
        std::vector<CRowIndex::Entry> inserted(rng() % (step % 7 == 0 ? 1500 : 3) + (model.size() == remove));
        std::vector<bool> insertedEstimates;
        for (auto& e : inserted) {
            e.rows = 1 + static_cast<int>(rng() % 40);
            e.slot = rng() % 3 == 0 ? CRowIndex::kEstimated : -1;
            insertedEstimates.push_back(e.Estimated());
        }
        index.Splice(at, remove, inserted);
        estimated.erase(estimated.begin() + static_cast<std::ptrdiff_t>(at),
                        estimated.begin() + static_cast<std::ptrdiff_t>(at + remove));
        estimated.insert(estimated.begin() + static_cast<std::ptrdiff_t>(at), insertedEstimates.begin(),
                         insertedEstimates.end());
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(at),
                    model.begin() + static_cast<std::ptrdiff_t>(at + remove));
        std::vector<int> added;
        for (const auto& e : inserted)
            added.push_back(e.rows);
        model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
        if (step % 40 == 0) {
            ExpectSameRows(index, model);
            ExpectSameEstimates(index, estimated, rng);
        }
    }
    ExpectSameRows(index, model);
    ExpectSameEstimates(index, estimated, rng);
}

TEST(RowStarts, SplitsShiftsAndJoinsKeepTheValuesInOrder) {
    std::mt19937 rng(8);
    std::vector<std::size_t> model;
    for (std::size_t v = 0; model.size() < 5000; v += 1 + rng() % 90)
        model.push_back(v);
    CRowStarts starts = CRowStarts::From(model);
    ExpectSameStarts(starts, model);
    for (int step = 0; step < 300; ++step) {
        // What an edit does to a long line: keep a head, rewrap a little, take the moved tail back.
        const std::size_t cut = rng() % (model.size() + 1);
        const std::size_t tailFrom = std::min(model.size(), cut + rng() % 3000);
        CRowStarts tail = starts.SplitOff(tailFrom);
        std::vector<std::size_t> tailModel(model.begin() + static_cast<std::ptrdiff_t>(tailFrom),
                                           model.end());
        starts.Truncate(cut);
        model.resize(cut);
        std::size_t last = model.empty() ? 0 : model.back();
        const std::size_t removed = tailFrom - cut;
        for (std::size_t i = removed + rng() % 5; i > 2; --i) {
            last += 1 + rng() % 50;
            starts.Push(last);
            model.push_back(last);
        }
        if (!tailModel.empty()) {
            const std::ptrdiff_t shift = static_cast<std::ptrdiff_t>(last + 1 + rng() % 20) -
                                         static_cast<std::ptrdiff_t>(tailModel.front());
            tail.Shift(shift);
            for (std::size_t& v : tailModel)
                v = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(v) + shift);
        }
        starts.Append(std::move(tail));
        model.insert(model.end(), tailModel.begin(), tailModel.end());
        if (step % 30 == 0)
            ExpectSameStarts(starts, model);
    }
    ExpectSameStarts(starts, model);
    EXPECT_GT(model.size(), 3000u);
}

// Lines taken out and put back, anywhere, between splices: the index stays the model's.
TEST(RowIndex, TakenLinesPutBackElsewhereKeepTheirEntries) {
    std::mt19937 rng(5);
    std::vector<int> model;
    std::vector<bool> estimated;
    CRowIndex index;
    index.Clear();
    for (int i = 0; i < 5000; ++i) {
        const CRowIndex::Entry e{1 + static_cast<int>(rng() % 5), rng() % 4 == 0 ? CRowIndex::kEstimated : -1};
        index.Append(e);
        model.push_back(e.rows);
        estimated.push_back(e.Estimated());
    }
    index.EndAppending();
    for (int step = 0; step < 60; ++step) {
        const std::size_t from = rng() % (model.size() + 1);
        const std::size_t end = std::min(model.size(), from + rng() % (step % 3 == 0 ? 3000 : 700));
        CRowIndex::Lines lines = index.Take(from, end);
        ASSERT_EQ(lines.LineCount(), end - from);
        std::vector<int> takenRows(model.begin() + static_cast<std::ptrdiff_t>(from),
                                   model.begin() + static_cast<std::ptrdiff_t>(end));
        std::vector<bool> takenEstimates(estimated.begin() + static_cast<std::ptrdiff_t>(from),
                                         estimated.begin() + static_cast<std::ptrdiff_t>(end));
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(from), model.begin() + static_cast<std::ptrdiff_t>(end));
        estimated.erase(estimated.begin() + static_cast<std::ptrdiff_t>(from),
                        estimated.begin() + static_cast<std::ptrdiff_t>(end));
        ExpectSameRows(index, model);
        // A splice meanwhile, as the edit that replaced the lines does.
        const std::size_t at = rng() % (model.size() + 1);
        const CRowIndex::Entry one{7, -1};
        index.Splice(at, 0, std::span(&one, 1));
        model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), 7);
        estimated.insert(estimated.begin() + static_cast<std::ptrdiff_t>(at), false);
        // Changed while kept: every estimate made exact at one more row.
        if (step % 4 == 0) {
            lines.Change([](CRowIndex::Entry& e) {
                if (e.Estimated())
                    e = {e.rows + 1, -1};
            });
            for (std::size_t i = 0; i < takenRows.size(); ++i) {
                takenRows[i] += takenEstimates[i] ? 1 : 0;
                takenEstimates[i] = false;
            }
        }
        const std::size_t back = rng() % (model.size() + 1);
        index.Put(back, std::move(lines));
        model.insert(model.begin() + static_cast<std::ptrdiff_t>(back), takenRows.begin(), takenRows.end());
        estimated.insert(estimated.begin() + static_cast<std::ptrdiff_t>(back), takenEstimates.begin(),
                         takenEstimates.end());
        ExpectSameRows(index, model);
        ExpectSameEstimates(index, estimated, rng);
    }
    // Everything taken leaves an empty index that takes lines again.
    CRowIndex::Lines all = index.Take(0, model.size());
    EXPECT_EQ(index.LineCount(), 0u);
    EXPECT_EQ(index.RowCount(), 0);
    index.Put(0, std::move(all));
    ExpectSameRows(index, model);
}
