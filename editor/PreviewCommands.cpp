#include "editor/PreviewCommands.h"

#include "editor/WeftpageView.h"
#include "platform/Cp932.h"
#include "platform/PlatformUi.h"
#include "platform/ProfileSettings.h"
#include "resources/CommandIds.h"

#include <QFile>

#include <optional>
#include <sys/stat.h>

namespace {

using ProfileSettings::CBrowser;

const QString kPreviewFailed = QStringLiteral("プレビューの表示に失敗しました");

void TellFailure() {
    Ui().Ask(kPreviewFailed, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
}

// Anything at all under that name, a dangling symbolic link included.
bool SomethingAt(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// Writes the text to the preview copy; false (and the user told) when it could not be
// written. A file of that name that this program did not write is the user's and is
// never overwritten.
bool WritePreviewCopy(CWeftpageView& view) {
    const QString path = view.Naming().previewCopyPath;
    if (SomethingAt(path) && !view.PreviewCopy().IsOurs(path)) {
        Ui().Ask(QStringLiteral("プレビュー用のファイル %1 と同じ名前のファイルが既にあります。\n"
                                "このファイルを上書きしないよう、プレビューを中止しました。\n"
                                "不要なファイルであれば削除してから、もう一度プレビューしてください。")
                     .arg(path),
                 CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        return false;
    }
    const auto result = view.PreviewCopy().Write(path, view.Snapshot());
    if (!result.ok) {
        Ui().Ask(result.error, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        return false;
    }
    return true;
}

void Preview(CWeftpageView& view) {
    if (view.Naming().previewCopyPath.isEmpty() || !WritePreviewCopy(view))
        return;
    if (!Ui().OpenWithDesktop(view.Naming().previewCopyPath, TellFailure))
        TellFailure();
}

QString BrowserProgram(CBrowser browser) {
    return Cp932::Decode(ProfileSettings::BrowserPath(browser));
}

void PreviewInBrowser(CWeftpageView& view, CBrowser browser) {
    const QString program = BrowserProgram(browser);
    if (view.Naming().previewCopyPath.isEmpty() || program.isEmpty() || !WritePreviewCopy(view))
        return;
    if (!Ui().StartProgram(program, {view.Naming().previewCopyPath}))
        TellFailure();
}

} // namespace

void RegisterPreviewCommands(CWeftpageView& view) {
    auto named = [&view] { return !view.Naming().previewCopyPath.isEmpty(); };
    view.OnCommand(
        Cmd::kPreview, [&view] { Preview(view); }, [named](CCommandState& s) { s.enabled = named(); });
    for (const auto& [id, browser] : {std::pair{Cmd::kPreviewFirstBrowser, CBrowser::First},
                                      std::pair{Cmd::kPreviewSecondBrowser, CBrowser::Second}}) {
        view.OnCommand(
            id, [&view, browser] { PreviewInBrowser(view, browser); },
            [named, browser](CCommandState& s) {
                s.enabled = named() && !BrowserProgram(browser).isEmpty();
            });
    }
}
