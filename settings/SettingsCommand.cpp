#include "settings/SettingsCommand.h"

#include "editor/WeftpageView.h"
#include "platform/PlatformUi.h"
#include "platform/Profile.h"
#include "platform/ProfileSettings.h"
#include "resources/CommandIds.h"
#include "settings/SettingsFrame.h"
#include "settings/browserPPage.h"
#include "settings/datetimePPage.h"
#include "settings/etcPPage.h"
#include "settings/settingPSheet.h"
#include "settings/toolbarPPage.h"

void RegisterSettingsCommand(CSettingsFrame& frame) {
    frame.OnCommand(Cmd::kSettings, [&frame] { RunSettingsSheet(frame); });
}

void RunSettingsSheet(CSettingsFrame& frame) {
    using namespace ProfileSettings;
    CsettingPSheet sheet(frame);
    if (Ui().RunDialog(sheet) != QDialog::Accepted)
        return;
    // Every value is written in one pass over the profile; the frame and the view read
    // them back through the same batch.
    const CProfileBatch batch;
    PutBrowserPath(CBrowser::First, sheet.BrowserPage().FirstPath());
    PutBrowserPath(CBrowser::Second, sheet.BrowserPage().SecondPath());
    PutToolBarType(sheet.ToolbarPage().Type());
    const int tabStops = sheet.EtcPage().TabWidth() * 4;
    PutTabStop(tabStops);
    PutDateTimeFormats(sheet.DatetimePage().Formats());
    for (const auto& button : frame.ButtonList())
        PutButtonHidden(static_cast<int>(button->m_commandId), button->m_hidden);
    frame.SaveBarState();
    frame.RebuildToolBar();
    CWeftpageView* view = frame.View();
    view->SetTabStops(tabStops);
    view->ApplyProfileFont();
}
