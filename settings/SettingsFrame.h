#pragma once

#include "platform/CommandRouter.h"
#include "platform/TbButtonInfo.h"

#include <memory>
#include <vector>

class CCommandBar;
class CFkeyTable;
class CWeftpageView;
class QWidget;

// The main window as the settings sheet, the function keys and the command bar see it:
// the commands are bound on it and these are the parts they act on. The frame implements
// it, so this room never includes the frame.
class CSettingsFrame : public CCommandTarget {
public:
    // The owner of the sheet and the function-key dialog.
    virtual QWidget* Window() = 0;
    virtual CWeftpageView* View() const = 0;
    virtual const CCommandRouter& Router() const = 0;
    virtual CFkeyTable& FkeyTable() = 0;
    virtual CCommandBar* CommandBar() const = 0;
    virtual bool CommandBarShown() const = 0;
    virtual std::vector<std::unique_ptr<CTbButtonInfo>>& ButtonList() = 0;
    virtual void SaveBarState() const = 0;
    virtual void RebuildToolBar() = 0;
};
