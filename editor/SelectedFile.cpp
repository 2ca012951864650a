#include "editor/SelectedFile.h"

#include "platform/Cp932.h"
#include "platform/RelativePath.h"

CSelectedFile SelectedFilePath(const QString& documentPath, std::string_view selected) {
    const QString name = Cp932::Decode(selected);
    const QString lead = QStringLiteral("選択された文字列はファイル名として使えません。\n");
    for (const QChar c : name) {
        if (Cp932::IsPlaceholder(c.unicode()))
            return {{}, lead + QStringLiteral("Shift-JIS の文字として読めないバイトが含まれています。")};
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return {{}, lead + QStringLiteral("改行やタブなどの制御文字が含まれています。")};
        // The second editor takes its command line without double quotes.
        if (c == QLatin1Char('"'))
            return {{}, lead + QStringLiteral("「\"」を含む名前のファイルは編集できません。")};
    }
    // A name that leads above the root folder names no file, as a missing file does not.
    return {ResolveRelativePath(documentPath, name).value_or(QString()), {}};
}
