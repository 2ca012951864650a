#include "tags/TagCommands.h"

#include "editor/WeftpageView.h"
#include "platform/PlatformUi.h"
#include "resources/CommandIds.h"
#include "tags/InsADlg.h"
#include "tags/InsImgDlg.h"
#include "tags/TagText.h"

namespace {

void InsertPlainTag(CWeftpageView& view, const CPlainTag& tag) {
    if (tag.wraps)
        view.InsertWrapped(tag.open, tag.close, tag.caret);
    else
        view.InsertReplacing(tag.open, tag.caret);
}

// The dialogs read the selection only after OK; Cancel leaves text and selection alone.
void InsertLink(CWeftpageView& view) {
    CInsADlg dialog(view.window());
    dialog.SetReferencePath(view.Naming().filePath);
    if (Ui().RunDialog(dialog) != QDialog::Accepted)
        return;
    view.InsertWrapped(LinkTag(dialog.Fields()), "</a>");
}

void InsertImage(CWeftpageView& view) {
    CInsImgDlg dialog(view.window());
    dialog.SetReferencePath(view.Naming().filePath);
    if (Ui().RunDialog(dialog) != QDialog::Accepted)
        return;
    view.InsertReplacing(ImageTag(dialog.Fields()));
}

} // namespace

void RegisterTagCommands(CWeftpageView& view) {
    for (const CPlainTag& tag : PlainTags())
        view.OnCommand(tag.command, [&view, &tag] { InsertPlainTag(view, tag); });
    view.OnCommand(Cmd::kTagLinkDlg, [&view] { InsertLink(view); });
    view.OnCommand(Cmd::kTagImageDlg, [&view] { InsertImage(view); });
}
