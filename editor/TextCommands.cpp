#include "editor/TextCommands.h"

#include "editor/DateTimeText.h"
#include "editor/SelectedFile.h"
#include "editor/TextConversions.h"
#include "editor/WeftpageView.h"
#include "platform/FileName.h"
#include "platform/PlatformUi.h"
#include "platform/ProfileSettings.h"
#include "resources/CommandIds.h"

#include <QCoreApplication>

namespace {

std::string SelectedText(const CWeftpageView& view) {
    return view.GetTextRange(view.GetSel().start, view.GetSel().end);
}

void EditSelectedFile(CWeftpageView& view) {
    const QString documentPath = view.Naming().filePath;
    if (!view.HasSelection() || documentPath.isEmpty())
        return;
    const CSelectedFile file = SelectedFilePath(documentPath, SelectedText(view));
    if (file.path.isEmpty()) {
        if (!file.problem.isEmpty())
            Ui().Ask(file.problem, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        return;
    }
    if (!FileName::IsFile(file.path))
        return;
    if (!Ui().StartProgram(QCoreApplication::applicationFilePath(), {file.path}))
        Ui().Ask(QStringLiteral("%1 を編集するための Vuro を起動できませんでした。")
                     .arg(FileName::ForDisplay(file.path)),
                 CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Stop);
}

} // namespace

void RegisterTextCommands(CWeftpageView& view) {
    using namespace Cmd;
    auto needSelection = [&view](CCommandState& s) { s.enabled = view.HasSelection(); };
    view.OnCommand(
        kBrAtLineEnds, [&view] { view.InsertReplacing(TextConversions::BrAtLineEnds(SelectedText(view))); },
        needSelection);
    view.OnCommand(
        kConvertEntities,
        [&view] { view.InsertReplacing(TextConversions::ToCharacterReferences(SelectedText(view))); },
        needSelection);
    view.OnCommand(kEntityLt, [&view] { view.InsertReplacing("&lt;"); });
    view.OnCommand(kEntityGt, [&view] { view.InsertReplacing("&gt;"); });
    view.OnCommand(kEntityAmp, [&view] { view.InsertReplacing("&amp;"); });
    view.OnCommand(kJumpNextClose, [&view] {
        if (const auto at = TextConversions::FindNextClose(view.Snapshot(), view.GetSel().start))
            view.PlaceCaret(*at + 1);
    });
    view.OnCommand(kJumpPrevOpen, [&view] {
        if (const auto at = TextConversions::FindPrevOpen(view.Snapshot(), view.GetSel().start))
            view.PlaceCaret(*at);
    });
    view.OnCommand(
        kEditSelectedFile, [&view] { EditSelectedFile(view); },
        [&view](CCommandState& s) { s.enabled = view.HasSelection() && !view.Naming().filePath.isEmpty(); });
    view.OnCommand(kInsertDate, [&view] {
        const auto formats = ProfileSettings::DateTimeFormats();
        view.InsertReplacing(DateTimeText::FormatDate(formats.date, formats.dateEx, Ui().LocalTime().date()));
    });
    view.OnCommand(kInsertTime, [&view] {
        const auto formats = ProfileSettings::DateTimeFormats();
        view.InsertReplacing(DateTimeText::FormatTime(formats.time, formats.timeEx, Ui().LocalTime().time()));
    });
}
