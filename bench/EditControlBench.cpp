// Measures the edit control against QPlainTextEdit and, when its development package is
// installed (libqscintilla2-qt6-dev), QScintilla without and with wrapping, on generated
// CP932 HTML of 1, 10 and 50 MB: load and first paint (best of three), the CPU time of the
// work each leaves for idle time after it, and one typed character in the middle with its repaint once that
// work is done (ours also while it runs). Against QPlainTextEdit also
// the caret's line and column at the end and the memory of 49 edits each followed by a kept
// whole-text snapshot. Then typing with the recovery copy on (written by its thread while
// keys go on), and how long writing one copy takes. Our control is given the CP932 bytes;
// the peers get the text already converted to the form they store (QString, UTF-8), so
// their conversion is not counted against them.
//
// How to run the benchmarks (all headless, never run by the tests):
//   cmake --build build --target editcontrol_bench pagelook_bench search_bench weftpage
//   QT_QPA_PLATFORM=offscreen build/bin/editcontrol_bench [--skip-slow-wrap] [sizes in MB...]
//   QT_QPA_PLATFORM=offscreen build/bin/pagelook_bench [sizes in MB...]
//   QT_QPA_PLATFORM=offscreen build/bin/search_bench [size in MB] [--no-reference]
//   python3 bench/program_start.py [--runs N] [--page FILE]   (the whole program under Xvfb)
// Each program says at its top what it measures.
// QScintilla with wrapping takes about 90 s to load 50 MB: --skip-slow-wrap (or
// BENCH_SKIP_SLOW_WRAP=1) leaves that column out above 10 MB.
// `editcontrol_bench --write-page MB FILE` writes the generated page to FILE and exits.

#include "bench/GeneratedPage.h"
#include "editor/EditControl.h"
#include "editor/FontSubstitutes.h"
#include "editor/RecoveryKeeper.h"
#include "platform/Cp932.h"

#ifdef BENCH_WITH_QSCINTILLA
#include <Qsci/qsciscintilla.h>
#endif

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

double ResidentMb() {
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double Ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// A figure not measured (a peer left out) is negative and prints as "-".
constexpr double kNone = -1;

std::string Cell(double value, const char* unit) {
    char text[32] = "-";
    if (value >= 0)
        std::snprintf(text, sizeof text, "%.3f %s", value, unit);
    return text;
}

std::string Ratio(double peer, double ours) {
    char text[32] = "-";
    if (peer >= 0 && ours > 0)
        std::snprintf(text, sizeof text, "%.2f", peer / ours);
    return text;
}

// One row: ours, each peer, then each peer's figure divided by ours; peers a row does not
// measure stay blank.
constexpr std::size_t kPeers = 3;

void Row(const char* what, double ours, const std::vector<double>& peers, const char* unit) {
    std::printf("  %-37s %13s", what, Cell(ours, unit).c_str());
    for (std::size_t i = 0; i < kPeers; ++i)
        std::printf(" %16s", i < peers.size() ? Cell(peers[i], unit).c_str() : "");
    std::printf("   ");
    for (double peer : peers)
        std::printf(" %8s", Ratio(peer, ours).c_str());
    std::printf("\n");
}

constexpr int kKeys = 30;
constexpr int kLookups = 2000;
// A peer that takes long per key gets fewer keys, at least kFewestKeys, within this budget.
constexpr double kKeyBudgetMs = 3000;
constexpr int kFewestKeys = 3;

// Mean time of a typed character with the repaint it causes.
double TimeKeys(QWidget& edit) {
    QElapsedTimer t;
    t.start();
    int keys = 0;
    while (keys < kKeys && (keys < kFewestKeys || Ms(t) < kKeyBudgetMs)) {
        QTest::keyClick(&edit, Qt::Key_X);
        QApplication::processEvents(); // paints what the edit marked for repainting
        ++keys;
    }
    return Ms(t) / keys;
}

// This thread's CPU time in ms: unlike the wall clock it does not grow while other programs
// hold the processor.
double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Runs the event loop until the work a widget left for idle time (wrapping, layout) is done:
// until no pass of the loop has used kBusyPassMs of CPU for kQuietMs (a pass with nothing to
// do takes microseconds). Returns the CPU time the busy passes used.
constexpr double kBusyPassMs = 0.2;
constexpr double kQuietMs = 100;
constexpr double kIdleLimitMs = 180000;

double SettleIdleWork() {
    QElapsedTimer t;
    t.start();
    double quietSince = 0;
    double busy = 0;
    while (Ms(t) - quietSince < kQuietMs && Ms(t) < kIdleLimitMs) {
        const double before = ThreadCpuMs();
        QApplication::processEvents();
        const double used = ThreadCpuMs() - before;
        if (used >= kBusyPassMs) {
            quietSince = Ms(t);
            busy += used;
        }
    }
    return busy;
}

// Loads kLoadRuns times (emptied and settled in between) and keeps the best load with its
// first paint, and the least idle-time work after it: the figures least disturbed by other
// programs on the machine.
constexpr int kLoadRuns = 3;

struct CLoadFigures {
    double load = 1e18;
    double idle = 1e18;
};

template <class Load, class Clear> CLoadFigures BestLoad(int runs, const Load& load, const Clear& clear) {
    CLoadFigures f;
    for (int run = 0; run < runs; ++run) {
        if (run > 0) {
            clear();
            SettleIdleWork();
        }
        QElapsedTimer t;
        t.start();
        load();
        f.load = std::min(f.load, Ms(t));
        f.idle = std::min(f.idle, SettleIdleWork());
    }
    return f;
}

struct CPeerFigures {
    double load = kNone;
    double idle = kNone;
    double key = kNone;
};

#ifdef BENCH_WITH_QSCINTILLA
// QScintilla takes the UTF-8 bytes straight into its buffer, the caret goes to the middle line.
CPeerFigures MeasureScintilla(const QByteArray& utf8, const QFont& font, bool wrapping, int runs) {
    CPeerFigures f;
    QsciScintilla edit;
    edit.setUtf8(true);
    edit.setFont(font);
    if (wrapping)
        edit.setWrapMode(QsciScintilla::WrapCharacter);
    edit.resize(1000, 800);
    edit.show();
    (void)QTest::qWaitForWindowExposed(&edit);
    const CLoadFigures loaded = BestLoad(
        runs,
        [&] {
            edit.SendScintilla(QsciScintillaBase::SCI_SETTEXT, utf8.constData());
            edit.viewport()->repaint();
        },
        [&] { edit.SendScintilla(QsciScintillaBase::SCI_SETTEXT, ""); });
    f.load = loaded.load;
    f.idle = loaded.idle;

    edit.setCursorPosition(edit.lines() / 2, 0);
    edit.ensureCursorVisible();
    edit.viewport()->repaint();
    QApplication::processEvents();
    f.key = TimeKeys(edit);
    return f;
}

bool SkipSlowWrap(std::size_t megabytes, bool skipFlag) {
    return (skipFlag || qEnvironmentVariableIsSet("BENCH_SKIP_SLOW_WRAP")) && megabytes > 10;
}
#endif

// The processor, its cores and the memory, for quoting the figures with the machine.
std::string Machine() {
    std::ifstream info("/proc/cpuinfo");
    std::string line;
    std::string model = "unknown processor";
    while (std::getline(info, line))
        if (line.rfind("model name", 0) == 0) {
            model = line.substr(line.find(':') + 2);
            break;
        }
    const double gib = static_cast<double>(sysconf(_SC_PHYS_PAGES)) *
                       static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0 * 1024.0);
    return model + ", " + std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " cores, " +
           std::to_string(static_cast<int>(gib + 0.5)) + " GiB";
}

void Measure(std::size_t megabytes, [[maybe_unused]] bool skipSlowWrap) {
    const std::string bytes = GenerateHtml(megabytes * 1024 * 1024);
    const QString unicode = Cp932::Decode(bytes);
    QFont font(QStringLiteral("ＭＳ ゴシック"), 12);
    std::printf("\n%zu MB (%zu bytes, %lld characters)\n  %-37s %13s %16s %16s %16s   %8s %8s %8s\n",
                megabytes, bytes.size(), static_cast<long long>(unicode.size()), "", "ours", "QPlainTextEdit",
                "QScintilla", "QSci wrapping", "QPTE", "QSci", "QSci wr");

    double loadOurs, loadQt, idleOurs, idleQt, keyOurs, keyQt, keyOursBusy, lineOurs, lineQt, memOurs,
        memOursRss, memQt;
    double keyRecoveryMean = 0, keyRecoveryWorst = 0, copyWrite = 0;
    int copiesWritten = 0;
    {
        CEditControl edit;
        edit.SetEditorFont(font);
        edit.SetTabStops(32);
        edit.resize(1000, 800);
        edit.show();
        (void)QTest::qWaitForWindowExposed(&edit);
        const CLoadFigures loaded = BestLoad(
            kLoadRuns,
            [&] {
                edit.SetText(bytes);
                edit.viewport()->repaint();
            },
            [&] { edit.SetText(std::string_view()); });
        loadOurs = loaded.load;
        idleOurs = loaded.idle;
        QElapsedTimer t;

        int notified = 0;
        std::vector<CTextSnapshot> kept;
        QObject::connect(&edit, &CEditControl::Changed, [&] {
            ++notified;
            kept.push_back(edit.Snapshot());
        });
        edit.SetSel(bytes.size() / 2, bytes.size() / 2);
        edit.ScrollCaret();
        edit.viewport()->repaint();
        QApplication::processEvents();
        kept.clear();
        keyOurs = TimeKeys(edit);
        kept.clear();

        // The same keys straight after loading, while work left for idle time still runs.
        edit.SetText(bytes);
        edit.viewport()->repaint();
        edit.SetSel(bytes.size() / 2, bytes.size() / 2);
        edit.ScrollCaret();
        edit.viewport()->repaint();
        keyOursBusy = TimeKeys(edit);
        SettleIdleWork();
        kept.clear();

        {
            // A key every 50 ms for a while, so that the copy is written (by its own thread)
            // several times while keys still arrive; each key is timed on its own.
            QTemporaryDir folder;
            CRecoveryKeeper keeper(QFile::encodeName(folder.path()), "recovery-bench", [&edit] {
                return CRecoveryKeeper::CSource{edit.Snapshot(), "/bench/page.html"};
            });
            const auto connection =
                QObject::connect(&edit, &CEditControl::Changed, [&keeper] { keeper.ModifiedChanged(true); });
            QElapsedTimer run;
            run.start();
            double total = 0;
            int keys = 0;
            const QString copy = folder.filePath(QStringLiteral("recovery-bench"));
            QDateTime lastCopy;
            while (run.elapsed() < 3 * CRecoveryKeeper::kLatestMs + 500) {
                t.start();
                QTest::keyClick(&edit, Qt::Key_X);
                QApplication::processEvents();
                const double ms = Ms(t);
                total += ms;
                keyRecoveryWorst = std::max(keyRecoveryWorst, ms);
                ++keys;
                kept.clear();
                QTest::qWait(50);
                const QDateTime written = QFileInfo(copy).lastModified();
                if (written.isValid() && written != lastCopy) {
                    lastCopy = written;
                    ++copiesWritten;
                }
            }
            keyRecoveryMean = total / keys;
            QObject::disconnect(connection);
            t.start();
            keeper.Flush(true);
            copyWrite = Ms(t);
            kept.clear();
        }

        edit.SetSel(edit.TextLength(), edit.TextLength());
        long long sink = 0;
        t.start();
        for (int i = 0; i < kLookups; ++i) {
            const std::size_t caret = edit.GetSel().end;
            const int line = edit.LineFromChar(caret);
            sink += line + static_cast<long long>(caret - edit.LineIndex(line)) + 1;
        }
        lineOurs = Ms(t) / kLookups;
        if (sink == 42)
            std::printf(" ");

        const double before = ResidentMb();
        std::vector<CTextSnapshot> base{edit.Snapshot()};
        const std::size_t one = CTextSnapshot::StorageBytes(base);
        std::mt19937 rng(1);
        for (int i = 0; i < 49; ++i) {
            edit.SetSel(rng() % edit.TextLength(), 0);
            edit.SetSel(edit.GetSel().end, edit.GetSel().end);
            edit.ReplaceSel("y");
        }
        memOursRss = ResidentMb() - before;
        kept.insert(kept.begin(), base.front());
        memOurs = static_cast<double>(CTextSnapshot::StorageBytes(kept) - one) / (1024.0 * 1024.0);
    }
    {
        QPlainTextEdit edit;
        edit.setFont(font);
        edit.resize(1000, 800);
        edit.show();
        (void)QTest::qWaitForWindowExposed(&edit);
        const CLoadFigures loaded = BestLoad(
            kLoadRuns,
            [&] {
                edit.setPlainText(unicode);
                edit.viewport()->repaint();
            },
            [&] { edit.setPlainText(QString()); });
        loadQt = loaded.load;
        idleQt = loaded.idle;
        QElapsedTimer t;

        std::vector<QString> kept;
        QObject::connect(&edit, &QPlainTextEdit::textChanged, [&] { kept.push_back(edit.toPlainText()); });
        QTextCursor c = edit.textCursor();
        const int characters = edit.document()->characterCount() - 1;
        c.setPosition(characters / 2);
        edit.setTextCursor(c);
        edit.ensureCursorVisible();
        edit.viewport()->repaint();
        QApplication::processEvents();
        kept.clear();
        // Snapshots of the whole text would dominate here; time the edit with notification only.
        QObject::disconnect(&edit, &QPlainTextEdit::textChanged, nullptr, nullptr);
        int notified = 0;
        QObject::connect(&edit, &QPlainTextEdit::textChanged, [&] { ++notified; });
        keyQt = TimeKeys(edit);

        c.movePosition(QTextCursor::End);
        edit.setTextCursor(c);
        long long sink = 0;
        t.start();
        for (int i = 0; i < kLookups; ++i) {
            const QTextCursor cur = edit.textCursor();
            const QTextBlock block = cur.block();
            const int inBlock = cur.positionInBlock();
            const QTextLine line = block.layout()->lineForTextPosition(inBlock);
            sink += block.firstLineNumber() + (line.isValid() ? line.lineNumber() : 0) + inBlock -
                    (line.isValid() ? line.textStart() : 0) + 1;
        }
        lineQt = Ms(t) / kLookups;
        if (sink == 42)
            std::printf(" ");

        QObject::disconnect(&edit, &QPlainTextEdit::textChanged, nullptr, nullptr);
        QObject::connect(&edit, &QPlainTextEdit::textChanged, [&] { kept.push_back(edit.toPlainText()); });
        kept.clear();
        const double before = ResidentMb();
        std::mt19937 rng(1);
        for (int i = 0; i < 49; ++i) {
            QTextCursor e = edit.textCursor();
            e.setPosition(static_cast<int>(rng() % static_cast<unsigned>(characters)));
            e.insertText(QStringLiteral("y"));
        }
        memQt = ResidentMb() - before;
    }
    CPeerFigures plain;
    CPeerFigures wrapped;
#ifdef BENCH_WITH_QSCINTILLA
    {
        const QByteArray utf8 = unicode.toUtf8();
        plain = MeasureScintilla(utf8, font, false, kLoadRuns);
        // Wrapping loads slowly enough above 10 MB that one load is the figure.
        if (!SkipSlowWrap(megabytes, skipSlowWrap))
            wrapped = MeasureScintilla(utf8, font, true, megabytes > 10 ? 1 : kLoadRuns);
    }
#endif
    Row("load and first paint", loadOurs, {loadQt, plain.load, wrapped.load}, "ms");
    Row("idle-time work after it (CPU)", idleOurs, {idleQt, plain.idle, wrapped.idle}, "ms");
    Row("typed character in the middle", keyOurs, {keyQt, plain.key, wrapped.key}, "ms");
    Row("typed character + idle step meanwhile", keyOursBusy, {}, "ms");
    Row("caret line and column at the end", lineOurs, {lineQt}, "ms");
    Row("49 edits + kept snapshots (resident)", memOursRss, {memQt}, "MB");
    std::printf("  %-38s %12.3f MB = %.2f%% of the text\n", "49 kept snapshots (own storage)", memOurs,
                100.0 * memOurs * 1024 * 1024 / static_cast<double>(bytes.size()));
    std::printf("  %-38s %12.3f ms mean, %.3f ms worst (%d copies written meanwhile)\n",
                "typed character, recovery copy on", keyRecoveryMean, keyRecoveryWorst, copiesWritten);
    std::printf("  %-38s %12.3f ms (its own thread)\n", "one recovery copy written and flushed", copyWrite);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--write-page") {
        // The page for benchmarks of the whole program, written as bytes.
        const std::string page = GenerateHtml(static_cast<std::size_t>(std::stoul(argv[2])) * 1024 * 1024);
        std::ofstream out(argv[3], std::ios::binary);
        out.write(page.data(), static_cast<std::streamsize>(page.size()));
        return out.good() ? 0 : 1;
    }
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    std::vector<std::size_t> sizes;
    bool skipSlowWrap = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--skip-slow-wrap")
            skipSlowWrap = true;
        else
            sizes.push_back(static_cast<std::size_t>(std::stoul(argv[i])));
    }
    if (sizes.empty())
        sizes = {1, 10, 50};
#ifndef BENCH_WITH_QSCINTILLA
    std::printf("QScintilla is left out: its development package was not found at configuration.\n");
#endif
    std::printf("%s\n", Machine().c_str());
    std::printf("Ratios are peer / ours (above 1: ours is faster or smaller); a mean per key uses\n"
                "fewer keys for a peer slower than %.0f ms per key in all.\n",
                kKeyBudgetMs / kKeys);
    for (std::size_t mb : sizes)
        Measure(mb, skipSlowWrap);
    return 0;
}
