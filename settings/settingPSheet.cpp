#include "settings/settingPSheet.h"

#include "editor/WeftpageView.h"
#include "platform/HelpBinding.h"
#include "platform/HelpKeyFilter.h"
#include "platform/PlatformUi.h"
#include "settings/SettingsFrame.h"
#include "settings/browserPPage.h"
#include "settings/datetimePPage.h"
#include "settings/etcPPage.h"
#include "settings/toolbarPPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CsettingPSheet::CsettingPSheet(CSettingsFrame& frame) : QDialog(frame.Window()) {
    setWindowTitle(QStringLiteral("設定"));
    QFont dialogFont(QStringLiteral("ＭＳ Ｐゴシック"));
    dialogFont.setPointSize(9);
    setFont(dialogFont);

    m_browser = new CbrowserPPage;
    m_toolbar = new CtoolbarPPage(frame.ButtonList());
    m_datetime = new CdatetimePPage;
    CWeftpageView* view = frame.View();
    m_etc = new CetcPPage([view] { return view->EditorFont(); });
    m_pages = {m_browser, m_toolbar, m_datetime, m_etc};

    m_tabs = new QTabWidget;
    for (CSettingsPage* page : m_pages)
        m_tabs->addTab(page, page->Title());
    m_tabs->setCurrentIndex(0);

    auto* buttons = new QDialogButtonBox;
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    m_help = buttons->addButton(QStringLiteral("ヘルプ"), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CsettingPSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CsettingPSheet::reject);
    connect(m_help, &QPushButton::clicked, this,
            [this] { CHelpBinding::Instance().ShowTopic(ActivePage()->HelpTopic()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
    m_ok->setDefault(true);
    resize(sizeHint().expandedTo(QSize(470, 330)));

    connect(m_tabs, &QTabWidget::currentChanged, this, &CsettingPSheet::OnTabChanged);
    CHelpKeyFilter::Install(this, [this] { return QByteArray(ActivePage()->HelpTopic()); });
}

CSettingsPage* CsettingPSheet::ActivePage() const {
    return m_pages[static_cast<std::size_t>(m_current)];
}

bool CsettingPSheet::Leave(CSettingsPage* page) {
    const QString problem = page->KillActive();
    if (problem.isEmpty())
        return true;
    Ui().Ask(problem, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
    page->FocusProblem();
    return false;
}

void CsettingPSheet::OnTabChanged(int index) {
    if (m_reverting || index < 0)
        return;
    CSettingsPage* left = ActivePage();
    // The values are checked before the new page can be painted; when they cannot be
    // taken the sheet goes back to the page at once, and only then tells the user.
    const QString problem = left->KillActive();
    if (!problem.isEmpty()) {
        m_reverting = true;
        m_tabs->setCurrentIndex(m_current);
        m_reverting = false;
        Ui().Ask(problem, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        left->FocusProblem();
        return;
    }
    m_current = index;
}

void CsettingPSheet::accept() {
    if (Leave(ActivePage()))
        QDialog::accept();
}
