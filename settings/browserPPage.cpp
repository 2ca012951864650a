#include "settings/browserPPage.h"
#include "platform/DialogControls.h"

#include "platform/Cp932.h"
#include "platform/HelpTopics.h"
#include "platform/InputMethod.h"
#include "platform/PlatformUi.h"
#include "platform/ProfileSettings.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using ProfileSettings::CBrowser;

// Programs on this system have no extension, so the dialog lists every file.
const QString kProgramFilter = QStringLiteral("すべて(*)|*||");
const QString kProgramFolder = QStringLiteral("/usr/bin");

// The path's characters that the profile (CP932) cannot hold.
QString Unrepresentable(const QString& path) {
    return Cp932::Encode(path).unrepresentable;
}

QString PathProblem(const QString& label, const QString& path) {
    const QString bad = Unrepresentable(path);
    if (bad.isEmpty())
        return {};
    return QStringLiteral("%1に Shift-JIS で表せない文字があるため、保存できません。\n%2\n"
                          "この文字を含まない場所のプログラムを指定してください。")
        .arg(label, bad);
}

} // namespace

CbrowserPPage::CbrowserPPage(QWidget* parent)
    : CSettingsPage(QStringLiteral("ブラウザ"), kHelpTopicSettingBrowser, parent) {
    m_firstField = new QLineEdit;
    m_secondField = new QLineEdit;
    m_firstBrowse = new QPushButton(QStringLiteral("参照"));
    m_secondBrowse = new QPushButton(QStringLiteral("参照"));
    SetControlId(m_firstField, 1074);
    SetControlId(m_secondField, 1075);
    SetControlId(m_firstBrowse, 1076);
    SetControlId(m_secondBrowse, 1077);
    auto* firstLabel = BuddyLabel(QStringLiteral("IEのパス(&I)"), m_firstField);
    auto* secondLabel = BuddyLabel(QStringLiteral("NCのパス(&N)"), m_secondField);
    DetachInputMethod(m_firstField);
    DetachInputMethod(m_secondField);

    auto* layout = new QGridLayout(this);
    layout->addWidget(firstLabel, 0, 0, 1, 2);
    layout->addWidget(m_firstField, 1, 0);
    layout->addWidget(m_firstBrowse, 1, 1);
    layout->setRowMinimumHeight(2, 12);
    layout->addWidget(secondLabel, 3, 0, 1, 2);
    layout->addWidget(m_secondField, 4, 0);
    layout->addWidget(m_secondBrowse, 4, 1);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(0, 1);

    connect(m_firstBrowse, &QPushButton::clicked, this, [this] { Browse(true); });
    connect(m_secondBrowse, &QPushButton::clicked, this, [this] { Browse(false); });
}

void CbrowserPPage::FirstPaint() {
    m_first = ProfileSettings::BrowserPath(CBrowser::First);
    m_second = ProfileSettings::BrowserPath(CBrowser::Second);
    ShowValues();
}

void CbrowserPPage::ShowValues() {
    m_firstField->setText(Cp932::Decode(m_first));
    m_secondField->setText(Cp932::Decode(m_second));
}

QString CbrowserPPage::Problem() const {
    QString problem = PathProblem(QStringLiteral("IEのパス"), m_firstField->text());
    if (problem.isEmpty())
        problem = PathProblem(QStringLiteral("NCのパス"), m_secondField->text());
    return problem;
}

void CbrowserPPage::TakeValues() {
    m_first = Cp932::Encode(m_firstField->text()).bytes;
    m_second = Cp932::Encode(m_secondField->text()).bytes;
}

void CbrowserPPage::FocusProblem() {
    QLineEdit* field = Unrepresentable(m_firstField->text()).isEmpty() ? m_secondField : m_firstField;
    field->setFocus();
    field->selectAll();
}

void CbrowserPPage::Browse(bool first) {
    CPlatformUi::FileDialog request;
    request.filter = kProgramFilter;
    request.initialFolder = kProgramFolder;
    request.initialName = first ? QStringLiteral("firefox") : QStringLiteral("chromium");
    request.mustExist = true;
    const auto chosen = Ui().AskFileName(request);
    if (!chosen)
        return;
    const QString problem =
        PathProblem(first ? QStringLiteral("IEのパス") : QStringLiteral("NCのパス"), *chosen);
    if (!problem.isEmpty()) {
        Ui().Ask(problem, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        return;
    }
    // What was typed into the other field stays; only the browsed field changes.
    QLineEdit* field = first ? m_firstField : m_secondField;
    field->setText(*chosen);
    if (Problem().isEmpty())
        TakeValues();
}
