#include "wizard/nwPageSkel.h"

#include "platform/Cp932.h"
#include "platform/DialogControls.h"
#include "platform/FirstPaint.h"
#include "platform/PlatformUi.h"
#include "wizard/SkelPreviewDlg.h"
#include "wizard/SkeletonFile.h"
#include "wizard/WizardFields.h"
#include "wizard/newWizPSheet.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

CnwPageSkel::CnwPageSkel(CnewWizPSheet& sheet) : m_sheet(sheet) {
    LoadSkeletonFile(m_skeletons);
    m_preview = new CSkelPreviewDlg(this);
    m_list = new QListWidget;
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_comment = new QLineEdit;
    m_comment->setReadOnly(true);
    m_previewButton = new QPushButton(QStringLiteral("プレビュー(&P)"));
    m_previewButton->setAutoDefault(false);
    m_previewButton->setEnabled(false);
    SetControlId(m_list, 1116);
    SetControlId(m_comment, 1117);
    SetControlId(m_previewButton, 1121);

    auto* layout = new QGridLayout(this);
    layout->addWidget(BuddyLabel(QStringLiteral("スケルトンの選択(&S)"), m_list), 0, 0, 1, 2);
    layout->addWidget(m_list, 1, 0, 1, 2);
    layout->addWidget(m_comment, 2, 0);
    layout->addWidget(m_previewButton, 2, 1);
    layout->setRowStretch(1, 1);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &CnwPageSkel::OnSelectionChanged);
    connect(m_previewButton, &QPushButton::clicked, this, &CnwPageSkel::OnPreview);
    CFirstPaint::Install(this, [this] { FillTitleList(m_list, m_skeletons); });
}

int CnwPageSkel::nextId() const {
    return -1;
}

bool CnwPageSkel::isComplete() const {
    return SelectedRow(m_list) >= 0;
}

void CnwPageSkel::OnSelectionChanged() {
    emit completeChanged();
    const int row = SelectedRow(m_list);
    if (row < 0)
        return;
    m_comment->setText(Cp932::Decode(m_skeletons[static_cast<std::size_t>(row)].comment));
    m_previewButton->setEnabled(true);
}

void CnwPageSkel::OnPreview() {
    const int row = SelectedRow(m_list);
    if (row < 0)
        return;
    m_preview->SetText(m_skeletons[static_cast<std::size_t>(row)].source);
    Ui().RunDialog(*m_preview);
}

bool CnwPageSkel::validatePage() {
    const int row = SelectedRow(m_list);
    if (row < 0)
        return false;
    m_sheet.SetGeneratedText(m_skeletons[static_cast<std::size_t>(row)].source);
    return true;
}
