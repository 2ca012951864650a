#include "wizard/nwPageTop.h"

#include "platform/FirstPaint.h"
#include "platform/InputMethod.h"
#include "platform/PlatformUi.h"
#include "wizard/WizardFields.h"
#include "wizard/newWizPSheet.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kSaveFilter = QStringLiteral(
    "HTML Document(*.html)|*.html|HTML Document(*.htm)|*.htm|SHTML Document(*.shtml)|*.shtml||");

} // namespace

CnwPageTop::CnwPageTop(CnewWizPSheet& sheet) : m_sheet(sheet) {
    auto* choice = new QGroupBox(QStringLiteral("新しく作成するページを選択"));
    m_normal = new QRadioButton(QStringLiteral("通常のページ(&M)"));
    m_frame = new QRadioButton(QStringLiteral("フレームページ(&F)"));
    m_skeleton = new QRadioButton(QStringLiteral("スケルトンを利用(&S)"));
    SetControlId(m_normal, 1092);
    SetControlId(m_frame, 1093);
    SetControlId(m_skeleton, 1094);
    auto* choices = new QVBoxLayout(choice);
    choices->addWidget(m_normal);
    choices->addWidget(m_frame);
    choices->addWidget(m_skeleton);

    m_path = new QLineEdit;
    m_path->setReadOnly(true);
    DetachInputMethod(m_path);
    SetControlId(m_path, 1176);
    auto* browse = new QPushButton(QStringLiteral("参照(&R)"));
    browse->setAutoDefault(false);
    SetControlId(browse, 1140);

    auto* file = new QGridLayout;
    file->addWidget(new QLabel(QStringLiteral("ファイルのパス")), 0, 0, 1, 2);
    file->addWidget(m_path, 1, 0);
    file->addWidget(browse, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choice);
    layout->addSpacing(12);
    layout->addLayout(file);
    layout->addStretch();

    connect(browse, &QPushButton::clicked, this, &CnwPageTop::OnBrowse);
    CFirstPaint::Install(this, [this] { m_normal->setChecked(true); });
}

void CnwPageTop::OnBrowse() {
    CPlatformUi::FileDialog request;
    request.save = true;
    request.filter = kSaveFilter;
    request.defaultExtension = QStringLiteral("html");
    request.overwritePrompt = true;
    const auto chosen = Ui().AskFileName(request);
    if (!chosen)
        return;
    m_path->setText(*chosen);
    m_sheet.SetChosenFile(*chosen);
}

bool CnwPageTop::validatePage() {
    m_sheet.SetFilePath(m_path->text());
    return true;
}

int CnwPageTop::nextId() const {
    if (m_normal->isChecked())
        return CnewWizPSheet::kPageNorm1;
    if (m_skeleton->isChecked())
        return CnewWizPSheet::kPageSkel;
    if (m_frame->isChecked())
        return CnewWizPSheet::kPageFrame1;
    return CnewWizPSheet::kPageNorm1;
}
