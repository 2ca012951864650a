#include "tags/TagDialogCommands.h"

#include "editor/WeftpageView.h"
#include "platform/PlatformUi.h"
#include "resources/CommandIds.h"
#include "tags/InsCommentDlg.h"
#include "tags/InsFontDlg.h"
#include "tags/InsHrDlg.h"
#include "tags/InsOlDlg.h"
#include "tags/InsPDlg.h"
#include "tags/InsTableDlg.h"
#include "tags/InsTdDlg.h"
#include "tags/InsTrDlg.h"

#include <optional>
#include <string>

namespace {

// Shows the dialog, owned by the main window, and gives its result after OK. The
// selection is read only afterwards, by the insertion.
template <class Dialog> std::optional<std::string> DialogResult(CWeftpageView& view) {
    Dialog dialog(view.window());
    if (Ui().RunDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Result();
}

// The opening tag from the dialog, then the selection, then close; the caret after the
// selection.
template <class Dialog>
void WrapWithDialog(CWeftpageView& view, std::string_view afterOpen, std::string_view close) {
    if (const auto tag = DialogResult<Dialog>(view))
        view.InsertWrapped(*tag + std::string(afterOpen), close);
}

// The dialog's complete text in place of the selection; the caret after it.
template <class Dialog> void ReplaceWithDialog(CWeftpageView& view) {
    if (const auto text = DialogResult<Dialog>(view))
        view.InsertReplacing(*text);
}

} // namespace

void RegisterTagDialogCommands(CWeftpageView& view) {
    using namespace Cmd;
    view.OnCommand(kTagFontDlg, [&view] { WrapWithDialog<CInsFontDlg>(view, "", "</font>"); });
    view.OnCommand(kTagRuleDlg, [&view] { ReplaceWithDialog<CInsHrDlg>(view); });
    view.OnCommand(kTagParagraphDlg, [&view] { WrapWithDialog<CInsPDlg>(view, "", "</p>"); });
    view.OnCommand(kTagOrderedListDlg, [&view] { WrapWithDialog<CInsOlDlg>(view, "", "</ol>"); });
    view.OnCommand(kTagCommentDlg, [&view] { ReplaceWithDialog<CInsCommentDlg>(view); });

    view.OnCommand(kTagTableDlg, [&view] { WrapWithDialog<CInsTableDlg>(view, "\r\n", "\r\n</table>"); });
    view.OnCommand(kTagRowDlg, [&view] { WrapWithDialog<CInsTrDlg>(view, "\r\n", "\r\n</tr>"); });
    view.OnCommand(kTagCellDlg, [&view] { WrapWithDialog<CInsTdDlg>(view, "", "</td>"); });
}
