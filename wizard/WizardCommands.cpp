#include "wizard/WizardCommands.h"

#include "app/MainFrame.h"
#include "editor/WeftpageView.h"
#include "platform/PlatformUi.h"
#include "resources/CommandIds.h"
#include "wizard/SkelCustomDlg.h"
#include "wizard/newWizPSheet.h"

void RegisterWizardCommand(CWeftpageView& view) {
    view.OnCommand(Cmd::kNewWizard, [&view] { RunNewWizard(view); });
}

void RegisterSkeletonCommand(CMainFrame& frame) {
    frame.OnCommand(Cmd::kEditSkeletons, [&frame] { RunSkeletonCustomisation(&frame); });
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
