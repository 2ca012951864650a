#include "wizard/MetaDlg.h"
#include "platform/DialogControls.h"

#include "platform/Cp932.h"
#include "platform/FirstPaint.h"
#include "platform/HelpKeyFilter.h"
#include "platform/HelpTopics.h"
#include "platform/PlatformUi.h"
#include "wizard/NormalPageText.h"
#include "wizard/WizardFields.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CMetaDlg::CMetaDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("<META>タグの追加"));
    m_httpEquiv = new QRadioButton(QStringLiteral("&http-equiv="));
    m_name = new QRadioButton(QStringLiteral("&name="));
    m_nameValue = new QLineEdit;
    m_content = new QLineEdit;
    auto* add = new QPushButton(QStringLiteral("追加(&A)"));
    m_delete = new QPushButton(QStringLiteral("削除(&D)"));
    m_delete->setEnabled(false);
    m_list = new QListWidget;
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    const auto [ok, cancel] = MakeOkCancelButtons(this);
    for (QPushButton* b : {add, m_delete, cancel})
        b->setAutoDefault(false);
    SetControlId(m_httpEquiv, 1159);
    SetControlId(m_name, 1160);
    SetControlId(m_nameValue, 1161);
    SetControlId(m_content, 1162);
    SetControlId(add, 1082);
    SetControlId(m_delete, 1083);
    SetControlId(m_list, 1163);

    auto* kind = new QVBoxLayout;
    kind->addWidget(m_httpEquiv);
    kind->addWidget(m_name);
    auto* fields = new QGridLayout;
    fields->addLayout(kind, 0, 0);
    fields->addWidget(m_nameValue, 0, 1, Qt::AlignVCenter);
    fields->addWidget(BuddyLabel(QStringLiteral("&content="), m_content), 1, 0);
    fields->addWidget(m_content, 1, 1);
    fields->setColumnStretch(1, 1);
    auto* listButtons = new QHBoxLayout;
    listButtons->addStretch();
    listButtons->addWidget(add);
    listButtons->addWidget(m_delete);

    auto* buttons = ButtonColumn({ok, cancel});
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(listButtons);
    left->addWidget(BuddyLabel(QStringLiteral("追加された<META>タグ(&M)"), m_list));
    left->addWidget(m_list, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(440, 300);

    connect(add, &QPushButton::clicked, this, &CMetaDlg::OnAdd);
    connect(m_delete, &QPushButton::clicked, this, &CMetaDlg::OnDelete);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CMetaDlg::UpdateDelete);
    CHelpKeyFilter::Install(this, kHelpTopicMetaDialog);
}

int CMetaDlg::Open() {
    // The set-up runs again on the first paint of every opening.
    delete m_firstPaint;
    m_firstPaint = CFirstPaint::Install(this, [this] { SetUp(); });
    return Ui().RunDialog(*this);
}

void CMetaDlg::SetUp() {
    m_httpEquiv->setChecked(true);
    // Text typed and then cancelled is not offered again.
    m_nameValue->clear();
    m_content->clear();
    m_list->clear();
    m_shown = m_metaList;
    for (const std::string& tag : m_shown)
        m_list->addItem(Cp932::Decode(tag));
    UpdateDelete();
}

void CMetaDlg::OnAdd() {
    const std::vector<std::string> bytes = EncodeFieldsForPage({m_nameValue->text(), m_content->text()});
    const std::string tag = ComposeMetaTag(m_httpEquiv->isChecked(), bytes[0], bytes[1]);
    m_nameValue->clear();
    m_content->clear();
    m_shown.push_back(tag);
    m_list->addItem(Cp932::Decode(tag));
    UpdateDelete();
}

void CMetaDlg::OnDelete() {
    const int row = SelectedRow(m_list);
    if (row < 0)
        return;
    m_shown.erase(m_shown.begin() + row);
    delete m_list->takeItem(row);
    m_list->clearSelection();
    m_list->setCurrentRow(-1);
    if (row > 0)
        m_list->setCurrentRow(row - 1);
    UpdateDelete();
}

void CMetaDlg::UpdateDelete() {
    m_delete->setEnabled(SelectedRow(m_list) >= 0);
}

void CMetaDlg::accept() {
    if (m_firstPaint)
        m_firstPaint->EnsureDone();
    m_metaList = m_shown;
    QDialog::accept();
}
