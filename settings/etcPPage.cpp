#include "settings/etcPPage.h"
#include "platform/DialogControls.h"

#include "platform/FontRecord.h"
#include "platform/HelpTopics.h"
#include "platform/InputMethod.h"
#include "platform/PlatformUi.h"
#include "platform/ProfileSettings.h"
#include "platform/UpDownEdit.h"
#include "settings/TabWidthText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CetcPPage::CetcPPage(std::function<QFont()> currentFont, QWidget* parent)
    : CSettingsPage(QStringLiteral("その他"), kHelpTopicSettingOther, parent),
      m_currentFont(std::move(currentFont)), m_tabWidth(ProfileSettings::TabStop() / 4) {
    m_tabField = new CUpDownEdit;
    SetControlId(m_tabField, 1138);
    SetControlId(m_tabField->Field(), 1136);
    m_tabField->SetText(QString::number(m_tabWidth));
    m_tabField->setMaximumWidth(70);
    DetachInputMethod(m_tabField->Field());
    m_fontButton = new QPushButton(QStringLiteral("フォント(&F)"));
    SetControlId(m_fontButton, 1139);
    auto* tabLabel = BuddyLabel(QStringLiteral("タブの桁数(&T)"), m_tabField->Field());

    auto* layout = new QGridLayout(this);
    layout->addWidget(tabLabel, 0, 0);
    layout->addWidget(m_tabField, 0, 1);
    layout->addWidget(m_fontButton, 1, 0, 1, 2, Qt::AlignLeft);
    layout->setVerticalSpacing(16);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(2, 1);

    connect(m_fontButton, &QPushButton::clicked, this, &CetcPPage::ChooseFont);
}

void CetcPPage::FirstPaint() {
    m_tabField->SetRange(kMinTabColumns, kMaxTabColumns);
}

QString CetcPPage::Problem() const {
    return CheckTabWidth(m_tabField->Text()).problem;
}

void CetcPPage::TakeValues() {
    m_tabWidth = CheckTabWidth(m_tabField->Text()).columns;
}

void CetcPPage::FocusProblem() {
    m_tabField->Field()->setFocus();
    m_tabField->Field()->selectAll();
}

void CetcPPage::ChooseFont() {
    CPlatformUi::FontDialog request;
    request.initial = m_currentFont();
    request.minPoints = 8;
    request.maxPoints = 24;
    request.screenFontsOnly = true;
    request.effects = false;
    const auto chosen = Ui().AskFont(request);
    if (chosen)
        ProfileSettings::PutFontBlock(FontRecord::Pack(FontRecord::FromChosenFont(*chosen, request.initial)));
}
