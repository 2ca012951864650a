#include "wizard/nwPageFrame1.h"

#include "platform/FirstPaint.h"
#include "platform/InputMethod.h"
#include "platform/UpDownEdit.h"
#include "wizard/FramePageText.h"
#include "wizard/WizardFields.h"
#include "wizard/newWizPSheet.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CnwPageFrame1::CnwPageFrame1(CnewWizPSheet&) {
    m_title = new QLineEdit;
    m_horizontal = new QRadioButton(QStringLiteral("水平方向(&H)"));
    m_vertical = new QRadioButton(QStringLiteral("垂直方向(&V)"));
    m_countField = new CUpDownEdit;
    m_countField->Field()->setAlignment(Qt::AlignRight);
    m_countField->setMaximumWidth(60);
    DetachInputMethod(m_countField->Field());
    SetControlId(m_title, 1134);
    SetControlId(m_horizontal, 1198);
    SetControlId(m_vertical, 1199);
    SetControlId(m_countField->Field(), 1200);
    SetControlId(m_countField, 1201);

    auto* title = new QHBoxLayout;
    title->addWidget(BuddyLabel(QStringLiteral("タイトル(&T)"), m_title));
    title->addWidget(m_title, 1);
    auto* direction = new QGroupBox(QStringLiteral("分割方法"));
    auto* directions = new QVBoxLayout(direction);
    directions->addWidget(m_horizontal);
    directions->addWidget(m_vertical);
    auto* count = new QHBoxLayout;
    count->addWidget(BuddyLabel(QStringLiteral("フレームの数(&F)"), m_countField->Field()));
    count->addWidget(m_countField);
    count->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(title);
    layout->addWidget(direction);
    layout->addLayout(count);
    layout->addStretch();

    m_firstPaint = CFirstPaint::Install(this, [this] {
        m_horizontal->setChecked(true);
        m_countField->SetRange(2, 4);
        m_countField->SetText(QStringLiteral("2"));
    });
}

int CnwPageFrame1::nextId() const {
    return CnewWizPSheet::kPageFrame2;
}

bool CnwPageFrame1::validatePage() {
    m_firstPaint->EnsureDone();
    m_direction = m_horizontal->isChecked() ? 0 : 1;
    // Only the digits matter here, so no character of the field needs encoding.
    m_count = FrameCountOf(m_countField->Text().toStdString());
    return true;
}

QString CnwPageFrame1::Title() const {
    return m_title->text();
}
