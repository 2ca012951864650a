#include "wizard/WizardCommands.h"

#include "editor/WeftpageView.h"
#include "platform/CommandRouter.h"
#include "platform/PlatformUi.h"
#include "resources/CommandIds.h"
#include "wizard/SkelCustomDlg.h"
#include "wizard/newWizPSheet.h"

void RegisterWizardCommand(CWeftpageView& view) {
    view.OnCommand(Cmd::kNewWizard, [&view] { RunNewWizard(view); });
}

void RegisterSkeletonCommand(CCommandTarget& frame, QWidget* window) {
    frame.OnCommand(Cmd::kEditSkeletons, [window] { RunSkeletonCustomisation(window); });
}

void RunNewWizard(CWeftpageView& view) {
    if (!view.AskSaveChanges())
        return;
    CnewWizPSheet sheet(view.window());
    if (Ui().RunDialog(sheet) != QDialog::Accepted)
        return;
    view.TakeOverGeneratedPage(sheet.GeneratedText(), sheet.FilePath());
}

void RunSkeletonCustomisation(QWidget* parent) {
    CSkelCustomDlg dialog(parent);
    Ui().RunDialog(dialog);
}
