#include "tags/InsADlg.h"
#include "platform/DialogControls.h"
#include "platform/Profile.h"

#include "platform/AttributeButton.h"
#include "platform/InputMethod.h"
#include "tags/HistoryComboBox.h"

#include <QGridLayout>
#include <QPushButton>

namespace {

constexpr int kComboWidth = 240;

const QString kFilter =
    QStringLiteral("HTML Document(*.htm;*.html;*.shtml)|*.htm;*.html;*.shtml|All(*.*)|*.*||");

} // namespace

CInsADlg::CInsADlg(QWidget* parent) : CReferenceTagDlg(QStringLiteral("<A>タグの挿入"), parent) {
    m_hrefs.SetDefault(0, "./index.html");
    m_hrefs.SetDefault(1, "../index.html");
    m_targets.SetDefault(0, "_top");
    m_targets.SetDefault(1, "top");

    struct Row {
        CAttributeButton*& button;
        CHistoryComboBox*& combo;
        const char* caption;
        int buttonId;
        int comboId;
    };
    const Row rows[] = {
        {m_hrefOn, m_href, "&href=", 1087, 1000},
        {m_targetOn, m_target, "&target=", 1088, 1002},
        {m_nameOn, m_name, "&name=", 1089, 1001},
    };
    int line = 0;
    for (const Row& row : rows) {
        row.button = new CAttributeButton(QString::fromLatin1(row.caption));
        SetControlId(row.button, row.buttonId);
        row.combo = new CHistoryComboBox;
        SetControlId(row.combo, row.comboId);
        row.combo->setFixedWidth(kComboWidth);
        row.button->SetValueControls({row.combo});
        Rows()->addWidget(row.button, line, 0);
        Rows()->addWidget(row.combo, line, 1);
        ++line;
    }
    Rows()->addWidget(BrowseButton(), 0, 2);
    // At opening only the href row is enabled; its button is switched on by the first paint.
    m_href->setEnabled(true);
    connect(m_hrefOn, &CAttributeButton::toggled, this, &CInsADlg::EnableBrowse);
    connect(BrowseButton(), &QPushButton::clicked, this, &CInsADlg::OnBrowse);
    // The link target is what the user types first.
    m_href->setFocus();
}

CInsADlg::~CInsADlg() {
    // The three histories are written back in one pass over the profile.
    const CProfileBatch batch;
    m_hrefs.Save();
    m_names.Save();
    m_targets.Save();
}

void CInsADlg::SetUp() {
    m_hrefOn->SetOn(true);
    EnableBrowse(true);
    m_target->SetEntries(m_targets.Filled());
    m_href->SetEntries(m_hrefs.Filled());
    m_name->SetEntries(m_names.Filled());
    for (CHistoryComboBox* combo : {m_href, m_target, m_name})
        DetachInputMethod(combo);
}

void CInsADlg::OnBrowse() {
    if (const auto relative = Browse(kFilter))
        m_href->setEditText(*relative);
}

void CInsADlg::TakeValues() {
    m_fields.hrefOn = m_hrefOn->IsOn();
    m_fields.nameOn = m_nameOn->IsOn();
    m_fields.targetOn = m_targetOn->IsOn();
    m_fields.href = FieldBytes(m_href->currentText(), m_fields.hrefOn);
    m_fields.name = FieldBytes(m_name->currentText(), m_fields.nameOn);
    m_fields.target = FieldBytes(m_target->currentText(), m_fields.targetOn);
    m_hrefs.Push(m_fields.href);
    m_names.Push(m_fields.name);
    m_targets.Push(m_fields.target);
}
