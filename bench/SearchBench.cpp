// Measures the text search on a generated CP932 page (50 MB unless told otherwise): Replace
// All of a two-byte word, finding every match, and Find Next from the top and from the end of
// the text, forward and backward. Each figure is given twice: for editor/TextSearch and for the
// plain character-by-character search the tests check it against (tests/editor/
// TextSearchReference.h, which copies the whole text first), so one run shows both side by
// side. Applying the replacement to a shown edit control (SetSel + ReplaceSelAdopting, the one undo
// step Replace All makes) is timed on its own: that part is the edit control's, not the search's.
// Last, Replace All from the Replace dialog of a shown view, and the Undo after it, with the
// page's colouring and marks on and off.
//
//   cmake --build build --target search_bench
//   QT_QPA_PLATFORM=offscreen build/bin/search_bench [size in MB] [--no-reference]
//
// --no-reference leaves the slow reference column out. Each figure is the best of three runs
// (the edit control's once: it changes the control).

#include "bench/GeneratedPage.h"
#include "editor/EditControl.h"
#include "editor/FindReplaceDlg.h"
#include "editor/FontSubstitutes.h"
#include "editor/TextSearch.h"
#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "platform/Profile.h"
#include "tests/editor/TextSearchReference.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Best of runs, in milliseconds.
double Best(int runs, const std::function<void()>& fn) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        fn();
        best = std::min(best, MsSince(start));
    }
    return best;
}

// Every occurrence of from replaced by to (the page's own bytes, not the search).
std::string Swapped(const std::string& text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t at = 0;
    for (std::size_t hit; (hit = text.find(from, at)) != std::string::npos; at = hit + from.size()) {
        out.append(text, at, hit - at);
        out.append(to);
    }
    out.append(text, at, std::string::npos);
    return out;
}

// The text as an editing session leaves it: the page taken over whole as opening a file
// does, then a few edits spread over it, so that the search meets pieces of every size.
CTextSnapshot EditedSnapshot(const std::string& bytes) {
    CTextSnapshot text = CTextSnapshot::Adopting(std::string(bytes));
    for (std::size_t i = 1; i <= 8; ++i) {
        const std::size_t at = text.Size() * i / 9;
        text = text.Replaced(at, at, std::string_view("<br>"));
    }
    return text;
}

struct Row {
    const char* what;
    double ours;
    double reference; // < 0: not measured
    std::size_t count;
};

void PrintRow(const Row& row) {
    if (row.reference >= 0)
        std::printf("  %-44s %9.1f ms %11.1f ms %8.0fx %10zu\n", row.what, row.ours, row.reference,
                    row.reference / std::max(row.ours, 0.001), row.count);
    else
        std::printf("  %-44s %9.1f ms %14s %9s %10zu\n", row.what, row.ours, "-", "-", row.count);
}

void PrintHeader() {
    std::printf("  %-44s %12s %14s %9s %10s\n", "", "ours", "plain search", "ratio", "matches");
}

// Replace All and finding every match of pattern in text.
void MeasureReplaceAll(const char* name, const CTextSnapshot& text, const std::string& pattern,
                       const std::string& replacement, const CSearchOptions& o, bool withReference) {
    std::printf("\n%s (%.1f MB)\n", name, static_cast<double>(text.Size()) / (1024.0 * 1024.0));
    PrintHeader();
    std::size_t count = 0;
    Row all{"FindAll", Best(3, [&] { count = FindAll(text, pattern, o).size(); }), -1, 0};
    all.count = count;
    if (withReference)
        all.reference = Best(1, [&] {
            if (SimpleSearch::FindAll(text, pattern, o).size() != count) {
                std::fprintf(stderr, "FindAll differs from the plain search\n");
                std::exit(1);
            }
        });
    PrintRow(all);

    std::optional<CReplacement> change;
    Row replace{"ReplaceAllIn (the one change, built)",
                Best(3, [&] { change = ReplaceAllIn(text, pattern, replacement, o); }), -1, count};
    if (withReference)
        replace.reference = Best(1, [&] {
            const auto plain = SimpleSearch::ReplaceAllIn(text, pattern, replacement, o);
            if (!plain != !change || (plain && (plain->start != change->start || plain->end != change->end ||
                                                plain->bytes != change->bytes))) {
                std::fprintf(stderr, "ReplaceAllIn differs from the plain search\n");
                std::exit(1);
            }
        });
    PrintRow(replace);
    if (!change)
        return;

    // The edit control's share: the same one change applied to a shown control.
    CEditControl edit;
    edit.resize(1000, 800);
    edit.SetText(text);
    edit.show();
    (void)QTest::qWaitForWindowExposed(&edit);
    QApplication::processEvents();
    const auto start = Clock::now();
    edit.SetSel(change->start, change->end);
    edit.ReplaceSelAdopting(std::move(change->bytes)); // as the view's Replace All does
    edit.ScrollCaret();
    const double apply = MsSince(start);
    const auto paintStart = Clock::now();
    QApplication::processEvents();
    const double paint = MsSince(paintStart);
    std::printf(
        "  edit control: SetSel + ReplaceSelAdopting %.1f ms, then the repaint %.1f ms (not the search's)\n",
        apply, paint);
    std::printf("  Replace All in all: %.1f ms (plain search: %s)\n", replace.ours + apply + paint,
                withReference
                    ? (std::to_string(static_cast<int>(replace.reference + apply + paint)) + " ms").c_str()
                    : "-");
}

// Replace All as the user asks for it: the Replace dialog's button on a shown view, through
// to the repaint, and the Undo that brings the text back.
void MeasureThroughTheView(const CTextSnapshot& text, const QString& find, const QString& replacement,
                           bool looks) {
    std::printf("\nReplace All of \"%s\" by \"%s\" from the Replace dialog of a shown view, %s\n",
                qPrintable(find), qPrintable(replacement),
                looks ? "colouring and marks on" : "colouring and marks off");
    CWeftpageDoc doc;
    CWeftpageView view(doc);
    view.Styler().SetColouring(looks);
    view.Styler().SetMarking(looks);
    view.ApplyLooks();
    view.resize(1000, 800);
    view.show();
    (void)QTest::qWaitForWindowExposed(&view);
    view.InitialUpdate();
    view.SetText(text);
    view.ResetUndoHistory();
    view.SetSel(0, 0);
    view.OnEditReplace();
    CFindReplaceDlg* dialog = view.FindDialog();
    dialog->FindField()->setText(find);
    dialog->ReplaceField()->setText(replacement);
    QApplication::processEvents();
    auto start = Clock::now();
    dialog->ReplaceAllButton()->click();
    QApplication::processEvents();
    const double replaceAll = MsSince(start);
    const bool changed = !(view.Snapshot() == text);
    start = Clock::now();
    view.OnEditUndo();
    QApplication::processEvents();
    const double undo = MsSince(start);
    std::printf("  Replace All, the whole command to its repaint: %.1f ms%s; the Undo after it: %.1f ms%s\n",
                replaceAll, changed ? "" : " (NOTHING REPLACED)", undo,
                view.Snapshot() == text ? "" : " (TEXT NOT BACK)");
}

// Find Next from both ends of the text in both directions, and a search that finds nothing.
void MeasureFindNext(const CTextSnapshot& text, const std::string& pattern, bool withReference) {
    std::printf("\nFind Next of \"%s\" (%.1f MB)\n", pattern.c_str(),
                static_cast<double>(text.Size()) / (1024.0 * 1024.0));
    PrintHeader();
    struct Case {
        const char* what;
        std::string pattern;
        std::size_t from;
        bool forward;
    };
    const std::size_t end = text.Size();
    const Case cases[] = {
        {"forward from the top", pattern, 0, true},
        {"forward from the end (wraps to the top)", pattern, end, true},
        {"backward from the end", pattern, end, false},
        {"backward from the top (wraps to the end)", pattern, 0, false},
        {"a word that is not there (whole text)", "zqxj", end / 2, true},
    };
    for (const Case& c : cases) {
        CSearchOptions o;
        o.forward = c.forward;
        std::optional<CSearchMatch> found;
        Row row{c.what, Best(3, [&] { found = FindText(text, c.pattern, c.from, o); }), -1, found ? 1u : 0u};
        if (withReference)
            row.reference = Best(1, [&] {
                const auto plain = SimpleSearch::FindText(text, c.pattern, c.from, o);
                if (!plain != !found || (plain && plain->start != found->start)) {
                    std::fprintf(stderr, "FindText differs from the plain search\n");
                    std::exit(1);
                }
            });
        PrintRow(row);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    std::size_t megabytes = 50;
    bool withReference = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-reference") == 0)
            withReference = false;
        else
            megabytes = static_cast<std::size_t>(std::max(1, std::atoi(argv[i])));
    }
    const std::string page = GenerateHtml(megabytes * 1024 * 1024);
    const CTextSnapshot text = EditedSnapshot(page);

    CSearchOptions caseBlind;
    // "ま" (0x82 0xDC) is the page's most frequent character: about a million times in 50 MB.
    MeasureReplaceAll("Replace All of \"td\" by \"TD\", case-blind", text, "td", "TD", caseBlind,
                      withReference);
    MeasureReplaceAll("Replace All of the double-byte \"ma\" (82 DC) by \"MA\" (83 7D)", text, "\x82\xDC",
                      "\x83\x7D", caseBlind, withReference);
    // The same count of an ASCII word: every "ま" of the page becomes "td".
    const CTextSnapshot dense = EditedSnapshot(Swapped(page, "\x82\xDC", "td"));
    MeasureReplaceAll("Replace All of \"td\" by \"TD\", case-blind, page with td for every ma", dense, "td",
                      "TD", caseBlind, withReference);
    MeasureFindNext(text, "td", withReference);

    // The view reads and writes the profile: a scratch one, never the user's.
    QTemporaryDir scratch;
    SetProfile(CProfile(scratch.filePath("Vuro.conf")));
    for (const bool looks : {true, false}) {
        MeasureThroughTheView(text, QStringLiteral("td"), QStringLiteral("TD"), looks);
        MeasureThroughTheView(text, QStringLiteral("ま"), QStringLiteral("マ"), looks);
    }
    return 0;
}
