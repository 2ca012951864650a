// Measures what HTML colouring and the marking of platform-dependent characters cost the
// edit control, on the same generated CP932 pages with both on and with both off, in a light
// and in a dark palette: load and first paint, a typed key with its repaint, and Page Down
// with its repaint (from the top, and from the middle after a jump there). Also the one-time
// cost of showing the end of the page first, which lexes everything before it.
// The two controls take turns at every step, so that a machine busy with other work slows
// both alike; the figures are medians (and the worst single Page Down).
// Run it headless: QT_QPA_PLATFORM=offscreen build/bin/pagelook_bench [sizes in MB...]
// BENCH_NO_COLOUR=1 or BENCH_NO_MARKS=1 leave one of the two off in the "on" runs;
// BENCH_NO_COPIES=1 draws every glyph as text (no glyph copies), for comparison.

#include "bench/GeneratedPage.h"
#include "editor/EditControl.h"
#include "editor/FontSubstitutes.h"
#include "editor/GlyphSprites.h"
#include "editor/HtmlStyler.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPalette>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kLoads = 7;
constexpr int kKeys = 40;
constexpr int kPages = 30;

double Ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// One edit control with colouring and marking on or off, and its timings.
struct CSide {
    CHtmlStyler styler;
    CEditControl edit;
    std::vector<double> load, key, pageTop, pageMiddle;
    double coldLoad = 0;
    double endFirst = 0;

    explicit CSide(bool styled) {
        edit.SetEditorFont(QFont(QStringLiteral("ＭＳ ゴシック"), 12));
        edit.resize(1000, 800);
        edit.show();
        (void)QTest::qWaitForWindowExposed(&edit);
        if (styled) {
            styler.SetColouring(!qEnvironmentVariableIsSet("BENCH_NO_COLOUR"));
            styler.SetMarking(!qEnvironmentVariableIsSet("BENCH_NO_MARKS"));
            edit.SetStyleProvider(&styler);
        }
    }
    ~CSide() { edit.SetStyleProvider(nullptr); }
};

void Measure(const std::string& bytes, CSide& on, CSide& off) {
    CSide* sides[] = {&off, &on};
    QElapsedTimer t;
    // The program reads a file into a buffer that the control adopts; the copy stands for the
    // reading and is not timed.
    auto load = [&](CSide& s) {
        s.edit.SetText(std::string_view());
        QApplication::processEvents();
        std::string copy = bytes;
        t.start();
        s.edit.SetTextAdopting(std::move(copy));
        s.edit.viewport()->repaint();
        return Ms(t);
    };
    for (CSide* s : sides) {
        CGlyphSprites::Shared().Clear();
        s->coldLoad = load(*s);
    }
    for (int run = 0; run < kLoads; ++run) {
        for (CSide* s : sides)
            s->load.push_back(load(*s));
    }
    for (CSide* s : sides) {
        t.start();
        QTest::keyClick(&s->edit, Qt::Key_End, Qt::ControlModifier);
        s->edit.viewport()->repaint();
        s->endFirst = Ms(t);
    }
    auto pageDowns = [&](std::vector<double> CSide::*into) {
        for (int i = 0; i < kPages; ++i) {
            for (CSide* s : sides) {
                t.start();
                QTest::keyClick(&s->edit, Qt::Key_PageDown);
                s->edit.viewport()->repaint();
                (s->*into).push_back(Ms(t));
            }
        }
    };
    for (CSide* s : sides) {
        s->edit.SetText(bytes); // at the top again, nothing lexed yet
        s->edit.viewport()->repaint();
    }
    pageDowns(&CSide::pageTop);

    for (CSide* s : sides) {
        s->edit.SetSel(bytes.size() / 2, bytes.size() / 2);
        s->edit.ScrollCaret();
        s->edit.viewport()->repaint();
    }
    QApplication::processEvents();
    for (int i = 0; i < kKeys; ++i) {
        for (CSide* s : sides) {
            t.start();
            QTest::keyClick(&s->edit, Qt::Key_X);
            QApplication::processEvents(); // paints what the edit marked for repainting
            s->key.push_back(Ms(t));
        }
    }
    pageDowns(&CSide::pageMiddle);
}

void Row(const char* what, double on, double off) {
    std::printf("  %-34s %10.3f ms %10.3f ms   %+8.3f ms  %+7.1f%%\n", what, on, off, on - off,
                off > 0 ? 100.0 * (on - off) / off : 0.0);
}

QPalette DarkPalette() {
    QPalette p;
    const QColor window(0x2B, 0x2B, 0x2B), base(0x1E, 0x1E, 0x1E), text(0xE6, 0xE6, 0xE6);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(0x26, 0x4F, 0x78));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    RegisterFontSubstitutes(); // the editor font resolves as in the program
    CGlyphSprites::SetEnabled(!qEnvironmentVariableIsSet("BENCH_NO_COPIES"));
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(static_cast<std::size_t>(std::stoul(argv[i])));
    if (sizes.empty())
        sizes = {1, 50};
    const QPalette light = QApplication::palette();
    for (std::size_t mb : sizes) {
        const std::string bytes = GenerateHtml(mb * 1024 * 1024);
        for (const bool dark : {false, true}) {
            QApplication::setPalette(dark ? DarkPalette() : light);
            auto on = std::make_unique<CSide>(true);
            auto off = std::make_unique<CSide>(false);
            Measure(bytes, *on, *off);
            double load[3] = {};
            if (getloadavg(load, 3) < 0)
                load[0] = -1;
            std::printf("\n%zu MB (%zu bytes), %s palette, load average %.2f\n"
                        "                                      colour+marks     plain        difference\n",
                        mb, bytes.size(), dark ? "dark" : "light", load[0]);
            Row("load and first paint (median)", Median(on->load), Median(off->load));
            Row("load and first paint (best)", *std::min_element(on->load.begin(), on->load.end()),
                *std::min_element(off->load.begin(), off->load.end()));
            Row("the same, no glyph copies yet", on->coldLoad, off->coldLoad);
            Row("typed key with repaint (median)", Median(on->key), Median(off->key));
            Row("Page Down from the top (median)", Median(on->pageTop), Median(off->pageTop));
            Row("Page Down in the middle (median)", Median(on->pageMiddle), Median(off->pageMiddle));
            auto worst = [](const CSide& s) {
                return std::max(*std::max_element(s.pageTop.begin(), s.pageTop.end()),
                                *std::max_element(s.pageMiddle.begin(), s.pageMiddle.end()));
            };
            Row("Page Down (worst single)", worst(*on), worst(*off));
            Row("Ctrl+End first after loading", on->endFirst, off->endFirst);
            std::fflush(stdout);
        }
    }
    return 0;
}
