#include "editor/SelectedFile.h"

#include "platform/Cp932.h"
#include "platform/FileName.h"
#include "platform/RelativePath.h"

CSelectedFile SelectedFilePath(const QString& documentPath, std::string_view selected) {
    const QString name = Cp932::Decode(selected);
    const QString lead = QStringLiteral("選択された文字列はファイル名として使えません。\n");
    bool undecodable = false;
    for (const QChar c : name) {
        if (Cp932::IsPlaceholder(c.unicode()))
            undecodable = true;
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return {{}, lead + QStringLiteral("改行やタブなどの制御文字が含まれています。")};
        // The second editor takes its command line without double quotes.
        if (c == QLatin1Char('"'))
            return {{}, lead + QStringLiteral("「\"」を含む名前のファイルは編集できません。")};
    }
    // Old sites keep their files under Shift-JIS names: when no file has the name in
    // UTF-8, the page's own bytes may be the file's name on disk.
    const auto asText = undecodable ? std::nullopt : ResolveRelativePath(documentPath, name);
    if (asText && FileName::IsFile(*asText))
        return {*asText, {}};
    const auto asBytes =
        ResolveRelativePath(documentPath, FileName::FromNative(QByteArray(selected.data(), selected.size())));
    if (asBytes && FileName::IsFile(*asBytes))
        return {*asBytes, {}};
    if (undecodable)
        return {{}, lead + QStringLiteral("Shift-JIS の文字として読めないバイトが含まれています。")};
    // A name that leads above the root folder names no file, as a missing file does not.
    return {asText.value_or(QString()), {}};
}
