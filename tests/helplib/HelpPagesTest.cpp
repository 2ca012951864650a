#include "platform/HelpTopics.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <gtest/gtest.h>

#include <map>

namespace {

struct CPage {
    QString text;
    QSet<QString> ids;
};

// Every page of the help, by file name, with the ids it defines.
std::map<QString, CPage> LoadPages() {
    std::map<QString, CPage> pages;
    const QDir folder(VURO_HELP_SOURCE_DIR);
    for (const QString& name : folder.entryList({"*.html"}, QDir::Files)) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        CPage page;
        page.text = utf8.decode(file.readAll());
        EXPECT_FALSE(utf8.hasError()) << name.toStdString() << " is not UTF-8";
        static const QRegularExpression kId(R"re(\sid="([^"]+)")re");
        for (const auto& m : kId.globalMatch(page.text)) {
            EXPECT_FALSE(page.ids.contains(m.captured(1)))
                << name.toStdString() << ": id twice " << m.captured(1).toStdString();
            page.ids.insert(m.captured(1));
        }
        pages[name] = page;
    }
    return pages;
}

// True when "page#anchor" (page empty: the page itself) names a page and one of its ids.
bool Resolves(const std::map<QString, CPage>& pages, const QString& from, const QString& target) {
    const QString page = target.section('#', 0, 0).isEmpty() ? from : target.section('#', 0, 0);
    const QString anchor = target.section('#', 1);
    if (!page.endsWith(".html"))
        return QFile::exists(QDir(VURO_HELP_SOURCE_DIR).filePath(page));
    const auto found = pages.find(page);
    return found != pages.end() && (anchor.isEmpty() || found->second.ids.contains(anchor));
}

} // namespace

TEST(HelpPages, HoldEveryTopicAndAnchorTheEditorShows) {
    const auto pages = LoadPages();
    for (const char* topic : kAllHelpTopics)
        EXPECT_TRUE(Resolves(pages, QString(), topic)) << topic;
    EXPECT_EQ(std::size(kAllHelpTopics), 15u);
}

TEST(HelpPages, LinkOnlyToPagesAndAnchorsThatExist) {
    const auto pages = LoadPages();
    static const QRegularExpression kLink(R"re(<(?:a|link|img|script)\s[^<>]*(?:href|src)="([^"]*)")re");
    for (const auto& [name, page] : pages)
        for (const auto& m : kLink.globalMatch(page.text)) {
            const QString target = m.captured(1);
            if (target.startsWith("http://") || target.startsWith("https://"))
                continue;
            EXPECT_TRUE(Resolves(pages, name, target))
                << name.toStdString() << " -> " << target.toStdString();
        }
}

TEST(HelpPages, AreJapaneseUtf8PagesAllReachableFromTheContentsAndTheKeywordIndex) {
    const auto pages = LoadPages();
    ASSERT_TRUE(pages.count("index.html") && pages.count("keyword.html"));
    for (const auto& [name, page] : pages) {
        EXPECT_TRUE(page.text.contains(R"(<html lang="ja">)")) << name.toStdString();
        EXPECT_TRUE(page.text.contains(R"(<meta charset="utf-8">)")) << name.toStdString();
        EXPECT_TRUE(page.text.contains(QRegularExpression("<title>[^<]+</title>"))) << name.toStdString();
        if (name == "index.html")
            continue;
        EXPECT_TRUE(pages.at("index.html").text.contains("href=\"" + name)) << name.toStdString();
        if (name != "keyword.html") {
            EXPECT_TRUE(pages.at("keyword.html").text.contains("href=\"" + name)) << name.toStdString();
        }
    }
}

TEST(HelpPages, AreCopiedBesideTheLibrary) {
    const QDir source(VURO_HELP_SOURCE_DIR);
    const QDir copy(QString(VURO_BIN_DIR) + "/help");
    const QStringList names = source.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        QFile a(source.filePath(name));
        QFile b(copy.filePath(name));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(a.readAll(), b.readAll()) << name.toStdString();
    }
}
