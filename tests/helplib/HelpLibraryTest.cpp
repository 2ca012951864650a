#include "tests/support/FakeViewers.h"
#include "tests/helplib/FreshHelpLibrary.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A help folder holding the pages the requests below ask for.
QString MakeHelpFolder(const QString& folder) {
    QDir().mkpath(folder);
    for (const char* page : {"index.html", "keyword.html", "setting.html"}) {
        QFile file(QDir(folder).filePath(page));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
    }
    return folder;
}

QString UrlOf(const QString& path, const QString& anchor = QString()) {
    return "file://" + QString::fromLatin1(QUrl::toPercentEncoding(path, "/")) +
           (anchor.isEmpty() ? "" : "#" + anchor);
}

class HelpLibraryTest : public testing::Test {
protected:
    QTemporaryDir m_temp;
    QString m_help = MakeHelpFolder(m_temp.filePath("help"));
    QByteArray m_location = QFile::encodeName(m_help);
    CFakeViewers m_viewers;
};

} // namespace

TEST(HelpLibraryExports, AreOnlyIsSupportCmhAndShowHelpWhichAnswersAFolderOfPages) {
    EXPECT_EQ(CFreshHelpLibrary().IsSupportCmh(), 0);
    const QString nm = QStandardPaths::findExecutable("nm");
    ASSERT_FALSE(nm.isEmpty());
    QProcess process;
    process.start(nm, {"-D", "--defined-only", VURO_HELP_LIBRARY});
    ASSERT_TRUE(process.waitForFinished());
    QSet<QString> names;
    for (const QString& line :
         QString::fromLatin1(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        names.insert(line.section(' ', -1));
    EXPECT_EQ(names, (QSet<QString>{"IsSupportCmh", "ShowHelp"}));
}

TEST_F(HelpLibraryTest, FindsTheViewerOnTheFirstCallAndKeepsUsingIt) {
    m_viewers.Add("x-www-browser");
    CFreshHelpLibrary library;
    EXPECT_NE(library.ShowHelp(m_location, "setting.html", 0), 0);
    ASSERT_EQ(m_viewers.WaitForRuns(1).size(), 1u);

    // Another viewer earlier on a new PATH is not looked for: the first one runs again.
    const QString other = m_viewers.NewFolder();
    m_viewers.Add("x-www-browser-2", other);
    QFile::rename(QDir(other).filePath("x-www-browser-2"), QDir(other).filePath("x-www-browser"));
    m_viewers.SetPath(other);
    m_viewers.SetBrowser("x-www-browser");
    EXPECT_NE(library.ShowHelp(m_location, nullptr, 1), 0);
    const auto runs = m_viewers.WaitForRuns(2);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1][0], "x-www-browser");
}

TEST_F(HelpLibraryTest, WithoutAViewerEveryCallFailsAndNoneLooksAgain) {
    CFreshHelpLibrary library;
    EXPECT_EQ(library.ShowHelp(m_location, "setting.html", 0), 0);
    m_viewers.Add("x-www-browser");
    m_viewers.SetBrowser("x-www-browser");
    EXPECT_EQ(library.ShowHelp(m_location, "setting.html", 0), 0);
    EXPECT_EQ(library.ShowHelp(m_location, nullptr, 1), 0);
    QThread::msleep(200);
    EXPECT_TRUE(m_viewers.Runs().empty());
}

TEST_F(HelpLibraryTest, LooksForBrowserVariableThenXWwwBrowserThenSensibleBrowserThenXdgOpen) {
    struct Case {
        QStringList present;
        QByteArray browser;
        QString expected;
    };
    const QStringList all{"mine", "x-www-browser", "sensible-browser", "xdg-open"};
    const Case cases[] = {
        {all, "none-such:mine", "mine"},
        {all, "", "x-www-browser"},
        {{"sensible-browser", "xdg-open"}, "", "sensible-browser"},
        {{"xdg-open"}, "none-such", "xdg-open"},
    };
    for (const Case& c : cases) {
        CFakeViewers viewers;
        for (const QString& name : c.present)
            viewers.Add(name);
        if (!c.browser.isEmpty())
            viewers.SetBrowser(c.browser);
        CFreshHelpLibrary library;
        EXPECT_NE(library.ShowHelp(m_location, nullptr, 1), 0) << c.expected.toStdString();
        const auto runs = viewers.WaitForRuns(1);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0][0], c.expected);
    }
}

TEST_F(HelpLibraryTest, GivesTheViewerTheUrlAsOneArgumentWithTheAnchorUnchanged) {
    m_viewers.Add("x-www-browser");
    CFreshHelpLibrary library;
    EXPECT_NE(library.ShowHelp(m_location, "setting.html#tbar", 0), 0);
    EXPECT_NE(library.ShowHelp(m_location, nullptr, 1), 0);
    EXPECT_NE(library.ShowHelp(m_location, nullptr, 2), 0);
    const auto runs = m_viewers.WaitForRuns(3);
    ASSERT_EQ(runs.size(), 3u);
    QStringList urls;
    for (const QStringList& run : runs) {
        ASSERT_EQ(run.size(), 3);
        urls << run[2];
    }
    urls.sort();
    EXPECT_EQ(urls, (QStringList{UrlOf(m_help + "/index.html"), UrlOf(m_help + "/keyword.html"),
                                 UrlOf(m_help + "/setting.html", "tbar")}));
    EXPECT_TRUE(urls[2].endsWith("/setting.html#tbar"));
}

TEST_F(HelpLibraryTest, EncodesBlanksHashesPercentsAndJapaneseInTheFolderName) {
    const QString odd = MakeHelpFolder(m_temp.filePath("ヘルプ #1 100%"));
    m_viewers.Add("mine");
    m_viewers.SetBrowser("mine --new-tab %s --raise");
    CFreshHelpLibrary library;
    EXPECT_NE(library.ShowHelp(QFile::encodeName(odd), "setting.html#etc", 0), 0);
    const auto runs = m_viewers.WaitForRuns(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].mid(2), (QStringList{"--new-tab", UrlOf(odd + "/setting.html", "etc"), "--raise"}));
    EXPECT_TRUE(runs[0][3].contains("%23") && runs[0][3].contains("%25") && !runs[0][3].contains(' '));
}

TEST_F(HelpLibraryTest, ShowsNothingForAMissingPageLocationOrTopicOrAnUnknownCommand) {
    m_viewers.Add("x-www-browser");
    CFreshHelpLibrary library;
    EXPECT_EQ(library.ShowHelp(m_location, "nosuch.html#a", 0), 0);
    EXPECT_EQ(library.ShowHelp(m_location, nullptr, 0), 0);
    EXPECT_EQ(library.ShowHelp(nullptr, "setting.html", 0), 0);
    EXPECT_EQ(library.ShowHelp(m_location, "setting.html", 3), 0);
    QThread::msleep(200);
    EXPECT_TRUE(m_viewers.Runs().empty());
}

TEST_F(HelpLibraryTest, StartsTheViewerDetachedWithoutWaitingForIt) {
    // The viewer stays until the test releases it (or ten seconds pass) and then marks that it
    // ended: a library that waited for it would come back only after the mark.
    QTemporaryDir marks;
    const QString release = marks.filePath("release");
    const QString ended = marks.filePath("ended");
    m_viewers.Add("x-www-browser", QString(), "/bin/sh",
                  QString("i=0; while [ ! -e '%1' ] && [ $i -lt 200 ]; do /bin/sleep 0.05; i=$((i+1)); done; "
                          ": > '%2'")
                      .arg(release, ended));
    CFreshHelpLibrary library;
    EXPECT_NE(library.ShowHelp(m_location, nullptr, 1), 0);
    EXPECT_FALSE(QFile::exists(ended));
    QFile releaseMark(release);
    EXPECT_TRUE(releaseMark.open(QIODevice::WriteOnly));
    const auto runs = m_viewers.WaitForRuns(1);
    ASSERT_EQ(runs.size(), 1u);
    // Not a child of the editor, so it never lingers as one of its zombies.
    EXPECT_NE(runs[0][1].toLongLong(), static_cast<long long>(getpid()));
}

TEST_F(HelpLibraryTest, ReportsFailureWhenTheViewerCannotBeStarted) {
    m_viewers.Add("x-www-browser", QString(), "/nonexistent/interpreter");
    CFreshHelpLibrary library;
    EXPECT_EQ(library.ShowHelp(m_location, nullptr, 1), 0);
}
