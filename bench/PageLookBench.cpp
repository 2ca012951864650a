// Measures what HTML colouring and the marking of platform-dependent characters cost the
// edit control, on the same generated CP932 pages with both on and with both off: load and
// first paint, a typed key with its repaint, and Page Down with its repaint (from the top,
// and from the middle after a jump there). Also the one-time cost of showing the end of the
// page first, which lexes everything before it.
// Run it headless: QT_QPA_PLATFORM=offscreen build/bin/pagelook_bench [sizes in MB...]
// BENCH_NO_COLOUR=1 or BENCH_NO_MARKS=1 leave one of the two off in the "on" runs.

#include "bench/GeneratedPage.h"
#include "editor/EditControl.h"
#include "editor/HtmlStyler.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 3;
constexpr int kKeys = 40;
constexpr int kPages = 30;

double Ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

struct CFigures {
    double load = 1e9;     // best of kRuns
    double key = 0;        // mean
    double pageDown = 0;   // mean, from the top
    double pageWorst = 0;  // worst single Page Down
    double pageMiddle = 0; // mean, from the middle
    double endFirst = 0;   // Ctrl+End as the first move after loading
};

CFigures Run(const std::string& bytes, bool styled) {
    CFigures f;
    CHtmlStyler styler;
    CEditControl edit;
    edit.SetEditorFont(QFont(QStringLiteral("ＭＳ ゴシック"), 12));
    edit.resize(1000, 800);
    edit.show();
    (void)QTest::qWaitForWindowExposed(&edit);
    if (styled) {
        styler.SetColouring(!qEnvironmentVariableIsSet("BENCH_NO_COLOUR"));
        styler.SetMarking(!qEnvironmentVariableIsSet("BENCH_NO_MARKS"));
        edit.SetStyleProvider(&styler);
    }
    QElapsedTimer t;
    for (int run = 0; run < kRuns; ++run) {
        edit.SetText(std::string_view());
        QApplication::processEvents();
        t.start();
        edit.SetText(bytes);
        edit.viewport()->repaint();
        f.load = std::min(f.load, Ms(t));
    }

    t.start();
    QTest::keyClick(&edit, Qt::Key_End, Qt::ControlModifier);
    edit.viewport()->repaint();
    f.endFirst = Ms(t);

    auto pageDowns = [&](double& mean, double* worst) {
        double total = 0;
        for (int i = 0; i < kPages; ++i) {
            t.start();
            QTest::keyClick(&edit, Qt::Key_PageDown);
            edit.viewport()->repaint();
            const double ms = Ms(t);
            total += ms;
            if (worst)
                *worst = std::max(*worst, ms);
        }
        mean = total / kPages;
    };
    edit.SetText(bytes); // at the top again, nothing lexed yet
    edit.viewport()->repaint();
    pageDowns(f.pageDown, &f.pageWorst);

    edit.SetSel(bytes.size() / 2, bytes.size() / 2);
    edit.ScrollCaret();
    edit.viewport()->repaint();
    QApplication::processEvents();
    t.start();
    for (int i = 0; i < kKeys; ++i) {
        QTest::keyClick(&edit, Qt::Key_X);
        QApplication::processEvents(); // paints what the edit marked for repainting
    }
    f.key = Ms(t) / kKeys;
    pageDowns(f.pageMiddle, &f.pageWorst);
    edit.SetStyleProvider(nullptr);
    return f;
}

void Row(const char* what, double on, double off) {
    std::printf("  %-34s %10.3f ms %10.3f ms   %+8.3f ms  %+7.1f%%\n", what, on, off, on - off,
                off > 0 ? 100.0 * (on - off) / off : 0.0);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(static_cast<std::size_t>(std::stoul(argv[i])));
    if (sizes.empty())
        sizes = {1, 50};
    for (std::size_t mb : sizes) {
        const std::string bytes = GenerateHtml(mb * 1024 * 1024);
        // Off first, then on, then off again, so that warm caches favour neither.
        const CFigures off1 = Run(bytes, false);
        const CFigures on = Run(bytes, true);
        const CFigures off2 = Run(bytes, false);
        auto best = [](double a, double b) { return std::min(a, b); };
        std::printf("\n%zu MB (%zu bytes)                      colour+marks     plain        difference\n",
                    mb, bytes.size());
        Row("load and first paint (best of 3)", on.load, best(off1.load, off2.load));
        Row("typed key with repaint (mean)", on.key, best(off1.key, off2.key));
        Row("Page Down from the top (mean)", on.pageDown, best(off1.pageDown, off2.pageDown));
        Row("Page Down in the middle (mean)", on.pageMiddle, best(off1.pageMiddle, off2.pageMiddle));
        Row("Page Down (worst single)", on.pageWorst, best(off1.pageWorst, off2.pageWorst));
        Row("Ctrl+End first after loading", on.endFirst, best(off1.endFirst, off2.endFirst));
    }
    return 0;
}
