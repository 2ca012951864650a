#include "app/MainFrame.h"

#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "platform/FileName.h"
#include "platform/HelpBinding.h"
#include "platform/PlatformUi.h"
#include "platform/Profile.h"
#include "platform/ProfileSettings.h"
#include "resources/AcceleratorTable.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "resources/MenuTable.h"
#include "resources/ProgramIcon.h"
#include "resources/ToolBarImages.h"
#include "resources/ToolBarTable.h"
#include "settings/CommandBar.h"
#include "settings/FunctionKeys.h"
#include "settings/SettingsCommand.h"
#include "tags/TagCommands.h"
#include "tags/TagDialogCommands.h"
#include "wizard/WizardCommands.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

namespace {

const QString kBarStateKey = QStringLiteral("State");
const QString kStatusBarKey = QStringLiteral("StatusBar");

QLabel* MakePane(const QString& sizedFor) {
    auto* pane = new QLabel;
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(sizedFor) + 8);
    return pane;
}

} // namespace

CMainFrame::CMainFrame(CWeftpageDoc& doc, CCommandRouter& router) : m_doc(doc), m_router(router) {
    m_fkeyTable.Load(DataFilePath(QStringLiteral("vurofkey.dat")));
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    m_view = new CWeftpageView(doc, this);
    // The rooms above the editor bind their view commands here.
    RegisterTagCommands(*m_view);
    RegisterTagDialogCommands(*m_view);
    RegisterWizardCommand(*m_view);
    m_view->SetRouter(&router);
    setCentralWidget(m_view);
    connect(m_view, &CWeftpageView::CaptionChanged, this,
            [this](const QString& caption) { setWindowTitle(TitleForQt(caption)); });
    connect(m_view, &CWeftpageView::StatusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    CreateMenus();
    CreateAccelerators();
    CreateBars();
    RegisterCommands();
    m_frameTimer.setInterval(200);
    connect(&m_frameTimer, &QTimer::timeout, this, &CMainFrame::RefreshStatus);
    Ui().SetOwner(this);
    resize(800, 600);
}

CMainFrame::~CMainFrame() {
    if (Ui().Owner() == this)
        Ui().SetOwner(nullptr);
}

void CMainFrame::CreateMenus() {
    for (const CMenuItem& popup : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(popup.caption));
        AddMenuItems(menu, popup);
    }
    // A command chosen while the menu bar held the keyboard (Esc in a menu, then Alt again)
    // would leave the keys there; typing goes back to the text, as on other desktops.
    connect(menuBar(), &QMenuBar::triggered, this, [this] {
        if (menuBar()->hasFocus())
            m_view->setFocus(Qt::OtherFocusReason);
    });
}

void CMainFrame::AddMenuItems(QMenu* menu, const CMenuItem& popup) {
    // Menu states are brought up to date each time a menu opens.
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    for (const CMenuItem& item : popup.items) {
        switch (item.kind) {
        case CMenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case CMenuItem::Kind::Popup:
            AddMenuItems(menu->addMenu(QString::fromUtf8(item.caption)), item);
            break;
        case CMenuItem::Kind::Command: {
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            action->setStatusTip(CommandPrompt(item.id));
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
            m_menuActions.emplace(id, action);
            break;
        }
        }
    }
}

void CMainFrame::CreateAccelerators() {
    // The keys are separate actions that are always enabled: whether the command may run
    // is decided by its update rule when the key is pressed, as for every other source.
    std::map<int, QList<QKeySequence>> keysById;
    for (const CAccelerator& a : Accelerators())
        keysById[a.id].append(QKeySequence(a.key));
    for (const auto& [id, keys] : keysById) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        const int command = id;
        connect(action, &QAction::triggered, this, [this, command] { m_router.Execute(command); });
        addAction(action);
    }
}

void CMainFrame::CreateBars() {
    m_toolBar = addToolBar(QStringLiteral("ツール バー"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->toggleViewAction()->setVisible(false);

    auto* status = statusBar();
    m_paneChanged = MakePane(Str::kPaneChanged);
    m_panePosition = MakePane(Str::kPanePosition);
    // The numbers are padded to three places: in a font whose digits and blanks are equally
    // wide, aligned left, they keep their places while the caret moves.
    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    digits.setPointSizeF(m_panePosition->font().pointSizeF());
    m_panePosition->setFont(digits);
    m_panePosition->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_panePosition->setMinimumWidth(m_panePosition->fontMetrics().horizontalAdvance(Str::kPanePosition) + 8);
    m_paneKana = MakePane(Str::kPaneKana);
    m_paneCaps = MakePane(Str::kPaneCaps);
    m_paneNum = MakePane(Str::kPaneNum);
    m_paneScroll = MakePane(Str::kPaneScroll);
    for (QLabel* pane : {m_paneChanged, m_panePosition, m_paneKana, m_paneCaps, m_paneNum, m_paneScroll})
        status->addPermanentWidget(pane);

    m_commandBarHost = new QToolBar(QStringLiteral("コマンドバー"), this);
    m_commandBarHost->setObjectName(QStringLiteral("CommandBar"));
    m_commandBarHost->setMovable(false);
    m_commandBarHost->setFloatable(false);
    m_commandBarHost->toggleViewAction()->setVisible(false);
    m_commandBar = new CCommandBar(m_commandBarHost);
    m_commandBarHost->addWidget(m_commandBar);
    addToolBar(Qt::BottomToolBarArea, m_commandBarHost);
    connect(m_commandBar, &CCommandBar::CommandClicked, this, [this](int id) {
        m_router.Execute(id);
        m_view->setFocus();
    });
}

void CMainFrame::RegisterCommands() {
    using namespace Cmd;
    OnCommand(kAppExit, [this] { close(); });
    OnCommand(kHomePage, [this] { OnHomePage(); });
    // Without a bound help library both do nothing.
    OnCommand(kHelpContents, [] { CHelpBinding::Instance().ShowContents(); });
    OnCommand(kHelpIndex, [] { CHelpBinding::Instance().ShowIndex(); });
    OnCommand(
        kViewToolBar, [this] { m_toolBar->setVisible(!m_toolBar->isVisible()); },
        [this](CCommandState& s) { s.checked = m_toolBar->isVisible(); });
    OnCommand(
        kViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
        [this](CCommandState& s) { s.checked = statusBar()->isVisible(); });
    OnCommand(
        kViewCommandBar, [this] { m_commandBarHost->setVisible(!m_commandBarHost->isVisible()); },
        [this](CCommandState& s) { s.checked = m_commandBarHost->isVisible(); });
    RegisterSkeletonCommand(*this, this);
    RegisterSettingsCommand(*this);
    RegisterFunctionKeyCommands(*this);
}

void CMainFrame::OnHomePage() {
    const auto tell = [] {
        Ui().Ask(QStringLiteral("ブラウザが実行できません。"), CPlatformUi::Buttons::Ok,
                 CPlatformUi::Icon::Stop);
    };
    if (!Ui().OpenWithDesktop(Str::kHomePageUrl, tell))
        tell();
}

bool CMainFrame::CommandBarShown() const {
    return m_commandBarHost->isVisible();
}

QAction* CMainFrame::MenuAction(int id) const {
    const auto it = m_menuActions.find(id);
    return it == m_menuActions.end() ? nullptr : it->second;
}

void CMainFrame::RebuildToolBar() {
    const bool textType = ProfileSettings::ToolBarType() != 0;
    m_toolBar->clear();
    m_toolBarActions.clear();
    for (int id : ToolBarButtons()) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = m_toolBar->addAction(ToolBarIcon(id, textType), CommandToolTip(id));
        action->setToolTip(CommandToolTip(id));
        action->setStatusTip(CommandPrompt(id));
        connect(action, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
        m_toolBarActions.emplace_back(id, action);
    }
    for (const auto& button : m_buttons) {
        const int id = static_cast<int>(button->m_commandId);
        button->m_hidden = ProfileSettings::ButtonHidden(id);
        for (const auto& [actionId, action] : m_toolBarActions)
            if (actionId == id)
                action->setVisible(button->m_hidden == 0);
    }
    if (const auto state = Profile().GetBarState(kBarStateKey))
        restoreState(*state);
    statusBar()->setVisible(Profile().GetInt(CProfile::kBarState, kStatusBarKey, 1) != 0);
    UpdateCommandStates();
}

void CMainFrame::SaveBarState() const {
    Profile().PutBarState(kBarStateKey, saveState());
    Profile().PutInt(CProfile::kBarState, kStatusBarKey, statusBar()->isVisible() ? 1 : 0);
}

void CMainFrame::FirstPaint() {
    m_buttons.clear();
    for (int id : ToolBarButtons())
        if (id != 0)
            m_buttons.push_back(std::make_unique<CTbButtonInfo>(static_cast<unsigned>(id)));
    RebuildToolBar();
    m_firstPaintDone = true;
}

void CMainFrame::showEvent(QShowEvent* event) {
    if (!m_firstPaintDone)
        FirstPaint();
    if (!m_frameTimer.isActive())
        m_frameTimer.start();
    QMainWindow::showEvent(event);
}

void CMainFrame::UpdateCommandStates() {
    auto apply = [this](int id, QAction* action) {
        const CCommandState state = m_router.State(id);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked.has_value());
        if (state.checked)
            action->setChecked(*state.checked);
    };
    for (const auto& [id, action] : m_menuActions)
        apply(id, action);
    for (const auto& [id, action] : m_toolBarActions)
        apply(id, action);
    for (int f = 1; f <= 12; ++f)
        m_commandBar->KeyButton(f)->setEnabled(m_router.State(Cmd::kFirstCommandBarButton + f - 1).enabled);
}

void CMainFrame::RefreshStatus() {
    m_paneChanged->setText(m_doc.IsModified() ? Str::kPaneChanged : QString());
    const CWeftpageView::CaretPosition caret = m_view->CaretLineColumn();
    m_panePosition->setText(QString::asprintf("%3d行 %3d桁", caret.line, caret.column));
    const CLockKeys keys = m_keyboard.LockKeys();
    m_paneKana->setText(keys.kanaLock ? Str::kPaneKana : QString());
    m_paneCaps->setText(keys.capsLock ? Str::kPaneCaps : QString());
    m_paneNum->setText(keys.numLock ? Str::kPaneNum : QString());
    m_paneScroll->setText(keys.scrollLock ? Str::kPaneScroll : QString());
    RefreshCommandBarCaptions(*this, m_keyboard.Modifiers());
    UpdateCommandStates();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_closeKeepsRecovery) {
        // The session is ending and the unsaved text is in the recovery copy: no question.
        SaveBarState();
        event->accept();
        return;
    }
    if (!m_view->AskSaveChanges()) {
        event->ignore();
        return;
    }
    m_doc.SetModifiedFlag(false);
    SaveBarState();
    event->accept();
}

QString CMainFrame::TitleForQt(const QString& caption) {
    // Qt reads "[*]" as the place of its modified mark and drops it; a doubled one is shown
    // as "[*]" itself.
    QString title = caption;
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return title;
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Whether another program changed the file is checked when the user comes back to the
    // window, after the activation has been handled, never on the timer.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, m_view, &CWeftpageView::CheckExternalChange);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!CWeftpageView::DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = CWeftpageView::DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    m_view->OpenFileByPath(path);
}
