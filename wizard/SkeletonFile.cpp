#include "wizard/SkeletonFile.h"

#include "platform/FileName.h"
#include "platform/PlatformUi.h"
#include "platform/SafeFileWriter.h"
#include "wizard/WizardFields.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {

const QString kFileName = QStringLiteral("vuroskel.dat");
const QString kBackupName = QStringLiteral("vuroskel.bak");

constexpr std::string_view kLineEnd = "\r\n";

// The file to read: the user's own, or the one shipped beside the program until the
// user has saved one.
QString ReadPath() {
    const QString own = SkeletonFilePath();
    if (QFileInfo::exists(own))
        return own;
    const QString shipped = QDir(Ui().ProgramFolder()).filePath(kFileName);
    if (QFileInfo(shipped).isFile())
        return shipped;
    return own;
}

} // namespace

std::string OneLine(std::string text) {
    // CR and LF never occur inside a CP932 double-byte character.
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

CSkelImport ImportSkeleton(const QString& path) {
    const SafeFile::ReadResult read = SafeFile::Read(path);
    if (!read.ok)
        return {std::nullopt, read.error};
    const std::vector<std::string> bytes = EncodeFieldsForPage({QFileInfo(path).fileName(), path});
    CSkelItem item;
    item.title = OneLine(bytes[0]);
    item.comment = OneLine(bytes[1]);
    for (std::string_view line : SplitTextLines(read.bytes)) {
        item.source.append(line);
        item.source.append("\r\n");
    }
    if (HasSeparatorLine(item))
        return {
            std::nullopt,
            QStringLiteral("%1 には「&&&&&」だけの行があるため、スケルトンとして登録できません。").arg(path)};
    return {std::move(item), QString()};
}

std::vector<std::string_view> SplitTextLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::size_t contentEnd = end;
        if (lf != std::string_view::npos && contentEnd > start && bytes[contentEnd - 1] == '\r')
            --contentEnd;
        lines.push_back(bytes.substr(start, contentEnd - start));
        if (lf == std::string_view::npos)
            break;
        start = lf + 1;
    }
    return lines;
}

CSkelParse ParseSkeletonText(std::string_view bytes) {
    enum class Field { Title, Comment, Source };
    const std::vector<std::string_view> lines = SplitTextLines(bytes);
    std::vector<CSkelItem> scratch(kMaxSkeletons);
    std::size_t r = 0;
    Field field = Field::Title;
    bool pendingContent = false; // the record being read holds something
    std::size_t i = 0;
    for (; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line == kSkeletonSeparator) {
            field = Field::Title;
            pendingContent = false;
            if (++r == kMaxSkeletons) {
                ++i;
                break;
            }
            continue;
        }
        pendingContent = pendingContent || !line.empty();
        CSkelItem& item = scratch[r];
        switch (field) {
        case Field::Title:
            item.title = line;
            field = Field::Comment;
            break;
        case Field::Comment:
            item.comment = line;
            field = Field::Source;
            break;
        case Field::Source:
            item.source.append(line);
            item.source.append(kLineEnd);
            break;
        }
    }

    CSkelParse parse;
    parse.leftOut = pendingContent;
    for (; i < lines.size() && !parse.leftOut; ++i)
        parse.leftOut = !lines[i].empty();
    for (std::size_t n = 0; n < r; ++n)
        if (!scratch[n].title.empty())
            parse.items.push_back(std::move(scratch[n]));
    // std::string compares bytes as unsigned values, so "B" < "a" < "b" and a prefix first.
    std::stable_sort(parse.items.begin(), parse.items.end(),
                     [](const CSkelItem& a, const CSkelItem& b) { return a.title < b.title; });
    return parse;
}

std::string FormatSkeletonText(const CSkelList& list) {
    std::string out;
    for (const CSkelItem& item : list) {
        out += OneLine(item.title);
        out += kLineEnd;
        out += OneLine(item.comment);
        out += kLineEnd;
        out += item.source;
        if (!item.source.empty() && item.source.back() != '\n')
            out += kLineEnd;
        out += kSkeletonSeparator;
        out += kLineEnd;
    }
    return out;
}

bool HasSeparatorLine(const CSkelItem& item) {
    if (item.title == kSkeletonSeparator || item.comment == kSkeletonSeparator)
        return true;
    const std::vector<std::string_view> lines = SplitTextLines(item.source);
    return std::find(lines.begin(), lines.end(), kSkeletonSeparator) != lines.end();
}

QString SkeletonFilePath() {
    return DataFilePath(kFileName);
}
QString SkeletonBackupPath() {
    return DataFilePath(kBackupName);
}

CSkelLoadReport LoadSkeletonFile(CSkelList& list) {
    list.clear();
    const SafeFile::ReadResult read = SafeFile::Read(ReadPath());
    if (!read.ok) {
        Ui().Ask(QStringLiteral("スケルトン定義ファイルが開けません。"), CPlatformUi::Buttons::Ok,
                 CPlatformUi::Icon::Stop);
        return {};
    }
    CSkelParse parse = ParseSkeletonText(read.bytes);
    list = std::move(parse.items);
    return {true, parse.leftOut};
}

bool SaveSkeletonFile(const CSkelList& list, bool keepOldFile) {
    const QString path = SkeletonFilePath();
    const QString backup = SkeletonBackupPath();
    bool movedAside = false;
    if (keepOldFile && QFileInfo(path).isFile()) {
        if (std::rename(FileName::ToNative(path).constData(), FileName::ToNative(backup).constData()) != 0) {
            Ui().Ask(QStringLiteral("%1 を %2 として残せないため、保存しませんでした。\n%3")
                         .arg(path, kBackupName, SafeFile::ReasonOf(errno)),
                     CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
            return false;
        }
        movedAside = true;
    }
    const SafeFile::WriteResult written = SafeFile::Write(path, FormatSkeletonText(list));
    if (!written.ok) {
        if (movedAside)
            std::rename(FileName::ToNative(backup).constData(), FileName::ToNative(path).constData());
        Ui().Ask(written.error, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        return false;
    }
    if (movedAside)
        Ui().Ask(
            QStringLiteral("読み込めなかった内容を含む元のスケルトン定義ファイルは %1 として残しました。")
                .arg(backup),
            CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Information);
    return true;
}
