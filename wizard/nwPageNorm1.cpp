#include "wizard/nwPageNorm1.h"

#include "platform/FirstPaint.h"
#include "platform/InputMethod.h"
#include "platform/UpDownEdit.h"
#include "wizard/MetaDlg.h"
#include "wizard/WizardFields.h"
#include "wizard/newWizPSheet.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kHtmlFilter =
    QStringLiteral("HTML Document(*.htm;*.html;*.shtml)|*.htm;*.html;*.shtml|All File(*.*)|*.*||");

} // namespace

CnwPageNorm1::CnwPageNorm1(CnewWizPSheet& sheet) : m_sheet(sheet) {
    m_metaDlg = new CMetaDlg(this);
    m_title = new QLineEdit;
    m_refresh = new QCheckBox(QStringLiteral("自動更新を行う(&H)"));
    m_seconds = new CUpDownEdit;
    m_seconds->Field()->setAlignment(Qt::AlignRight);
    m_seconds->setMaximumWidth(72);
    m_url = new QLineEdit;
    m_browse = new QPushButton(QStringLiteral("参照(&R)"));
    m_browse->setAutoDefault(false);
    m_expires = new QCheckBox(QStringLiteral("ページの有効期限を設定する(&E)"));
    m_expiry = new QLineEdit;
    auto* moreMeta = new QPushButton(QStringLiteral("その他のMETAタグ(&M)"));
    moreMeta->setAutoDefault(false);
    DetachInputMethod(m_seconds->Field());
    DetachInputMethod(m_url);
    SetControlId(m_title, 1099);
    SetControlId(m_refresh, 1095);
    SetControlId(m_seconds->Field(), 1096);
    SetControlId(m_seconds, 1098);
    SetControlId(m_url, 1097);
    SetControlId(m_browse, 1140);
    SetControlId(m_expires, 1100);
    SetControlId(m_expiry, 1101);
    SetControlId(moreMeta, 1102);
    for (QWidget* w : {static_cast<QWidget*>(m_seconds), static_cast<QWidget*>(m_url),
                       static_cast<QWidget*>(m_browse), static_cast<QWidget*>(m_expiry)})
        w->setEnabled(false);

    auto* refreshBox = new QGroupBox(QStringLiteral("自動更新"));
    auto* refresh = new QGridLayout(refreshBox);
    refresh->addWidget(m_refresh, 0, 0, 1, 4);
    refresh->addWidget(BuddyLabel(QStringLiteral("秒数(&S)"), m_seconds->Field()), 1, 0);
    refresh->addWidget(m_seconds, 1, 1, Qt::AlignLeft);
    refresh->addWidget(BuddyLabel(QStringLiteral("URL(&U)"), m_url), 2, 0);
    refresh->addWidget(m_url, 2, 1, 1, 2);
    refresh->addWidget(m_browse, 2, 3);
    refresh->setColumnStretch(2, 1);

    auto* expiryBox = new QGroupBox(QStringLiteral("有効期限"));
    auto* expiry = new QGridLayout(expiryBox);
    expiry->addWidget(m_expires, 0, 0, 1, 2);
    expiry->addWidget(BuddyLabel(QStringLiteral("有効期限(&D)"), m_expiry), 1, 0);
    expiry->addWidget(m_expiry, 1, 1);

    auto* head = new QGroupBox(QStringLiteral("HEAD部の設定"));
    auto* title = new QHBoxLayout;
    title->addWidget(BuddyLabel(QStringLiteral("タイトル(&T)"), m_title));
    title->addWidget(m_title, 1);
    auto* meta = new QHBoxLayout;
    meta->addStretch();
    meta->addWidget(moreMeta);
    auto* headLayout = new QVBoxLayout(head);
    headLayout->addLayout(title);
    headLayout->addWidget(refreshBox);
    headLayout->addWidget(expiryBox);
    headLayout->addLayout(meta);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(head);
    layout->addStretch();

    connect(m_refresh, &QCheckBox::toggled, this, &CnwPageNorm1::UpdateRefreshControls);
    connect(m_expires, &QCheckBox::toggled, m_expiry, &QWidget::setEnabled);
    connect(m_browse, &QPushButton::clicked, this, &CnwPageNorm1::OnBrowse);
    connect(moreMeta, &QPushButton::clicked, m_metaDlg, &CMetaDlg::Open);
    m_firstPaint = CFirstPaint::Install(this, [this] {
        m_seconds->SetRange(0, 100);
        m_seconds->SetText(QStringLiteral("0"));
    });
}

int CnwPageNorm1::nextId() const {
    return CnewWizPSheet::kPageNorm2;
}

void CnwPageNorm1::initializePage() {
    UpdateRefreshControls();
}

void CnwPageNorm1::EnsureSetUp() {
    m_firstPaint->EnsureDone();
}

void CnwPageNorm1::UpdateRefreshControls() {
    const bool on = m_refresh->isChecked();
    m_seconds->setEnabled(on);
    m_url->setEnabled(on);
    // Relative paths need the new page's own file.
    m_browse->setEnabled(on && !m_sheet.FilePath().isEmpty());
}

void CnwPageNorm1::OnBrowse() {
    BrowseIntoField(m_url, m_sheet.FilePath(), kHtmlFilter);
}

QString CnwPageNorm1::Title() const {
    return m_title->text();
}
bool CnwPageNorm1::RefreshOn() const {
    return m_refresh->isChecked();
}
QString CnwPageNorm1::RefreshSeconds() const {
    return m_seconds->Text();
}
QString CnwPageNorm1::RefreshUrl() const {
    return m_url->text();
}
bool CnwPageNorm1::ExpiresOn() const {
    return m_expires->isChecked();
}
QString CnwPageNorm1::ExpiryDate() const {
    return m_expiry->text();
}
const std::vector<std::string>& CnwPageNorm1::MetaList() const {
    return m_metaDlg->MetaList();
}
