#pragma once

#include "platform/CommandRouter.h"
#include "platform/KeyboardState.h"
#include "platform/TbButtonInfo.h"
#include "settings/FkeyTable.h"
#include "settings/SettingsFrame.h"

#include <QMainWindow>
#include <QTimer>

#include <map>
#include <memory>
#include <vector>

class CCommandBar;
class CWeftpageDoc;
class CWeftpageView;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

// The editor's one top-level window: menu, tool bar, command bar, status bar with the
// changed mark and the caret's line and column, and the 200 ms timer that keeps them
// current. Every command, whatever its source, goes through the router.
class CMainFrame : public QMainWindow, public CSettingsFrame {
    Q_OBJECT

public:
    CMainFrame(CWeftpageDoc& doc, CCommandRouter& router);
    ~CMainFrame() override;

    QWidget* Window() override { return this; }
    CWeftpageView* View() const override { return m_view; }
    QToolBar* ToolBar() const { return m_toolBar; }
    QToolBar* CommandBarHost() const { return m_commandBarHost; }
    CCommandBar* CommandBar() const override { return m_commandBar; }
    bool CommandBarShown() const override;
    std::vector<std::unique_ptr<CTbButtonInfo>>& ButtonList() override { return m_buttons; }
    const CCommandRouter& Router() const override { return m_router; }
    // The function-key bindings, read from vurofkey.dat when the frame is made and written
    // back when it is destroyed.
    CFkeyTable& FkeyTable() override { return m_fkeyTable; }

    // Reloads the tool bar of the profile's type, hides the buttons the profile (or the
    // defaults) hide, and restores the bars' saved layout.
    void RebuildToolBar() override;
    void SaveBarState() const override;
    // The next close asks nothing: the session is ending and the unsaved text has been
    // written to the recovery copy, which the next start offers back.
    void CloseKeepingRecovery() { m_closeKeepsRecovery = true; }

    // The work of one frame-timer tick: changed mark, caret position, key states, and the
    // enabled state of every button.
    void RefreshStatus();
    // Brings enabled and checked states of every action up to date.
    void UpdateCommandStates();

    QLabel* ChangedPane() const { return m_paneChanged; }
    QLabel* PositionPane() const { return m_panePosition; }
    bool FirstPaintDone() const { return m_firstPaintDone; }
    // The action of a menu item, for tests and menus built elsewhere.
    QAction* MenuAction(int id) const;
    // The caption as handed to Qt, so that it is shown exactly as composed.
    static QString TitleForQt(const QString& caption);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void AddMenuItems(QMenu* menu, const struct CMenuItem& popup);
    void CreateAccelerators();
    void CreateBars();
    void RegisterCommands();
    void FirstPaint();
    void OnHomePage();

    CWeftpageDoc& m_doc;
    CCommandRouter& m_router;
    CFkeyTable m_fkeyTable;
    CWeftpageView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QToolBar* m_commandBarHost = nullptr;
    CCommandBar* m_commandBar = nullptr;
    QLabel* m_paneChanged = nullptr;
    QLabel* m_panePosition = nullptr;
    QLabel* m_paneKana = nullptr;
    QLabel* m_paneCaps = nullptr;
    QLabel* m_paneNum = nullptr;
    QLabel* m_paneScroll = nullptr;
    std::vector<std::unique_ptr<CTbButtonInfo>> m_buttons;
    std::multimap<int, QAction*> m_menuActions;
    std::vector<std::pair<int, QAction*>> m_toolBarActions;
    QTimer m_frameTimer;
    CKeyboardWatch m_keyboard;
    bool m_firstPaintDone = false;
    bool m_closeKeepsRecovery = false;
};
