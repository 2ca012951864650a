#include "settings/datetimePPage.h"
#include "platform/DialogControls.h"

#include "platform/Cp932.h"
#include "platform/HelpTopics.h"
#include "platform/PageText.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct CStyle {
    int id;
    const char* caption;
    int code;
};

constexpr std::array<CStyle, 4> kDateStyles = {{
    {1187, "yyyy年mm月dd日（W）", 1},
    {1188, "yyyy/mm/dd(www)", 2},
    {1189, "DayOfW, Month dd, yyyy", 3},
    {1190, "ユーザ定義", 0},
}};

constexpr std::array<CStyle, 5> kTimeStyles = {{
    {1192, "h時mm分ss秒", 1},
    {1193, "午前 h時mm分ss秒", 2},
    {1194, "h:mm:ss", 3},
    {1195, "AM h:mm:ss", 4},
    {1196, "ユーザ定義", 0},
}};

// The position of the radio for a code; a code that names no fixed style is the user's.
template <std::size_t N> std::size_t PositionOf(const std::array<CStyle, N>& styles, int code) {
    for (std::size_t i = 0; i + 1 < N; ++i)
        if (styles[i].code == code)
            return i;
    return N - 1;
}

// A group of radios, the last one "ユーザ定義" with its format field below it. A click sets
// the code and enables the field for the last radio only.
template <std::size_t N>
QGroupBox* MakeGroup(QWidget* page, const QString& title, const std::array<CStyle, N>& styles,
                     std::array<QRadioButton*, N>& radios, QLineEdit*& field, int fieldId, int& code) {
    auto* group = new QGroupBox(title);
    auto* layout = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(page);
    field = new QLineEdit;
    SetControlId(field, fieldId);
    field->setEnabled(false);
    for (std::size_t i = 0; i < N; ++i) {
        radios[i] = new QRadioButton(QString::fromUtf8(styles[i].caption));
        SetControlId(radios[i], styles[i].id);
        buttons->addButton(radios[i]);
        layout->addWidget(radios[i]);
        const bool user = i + 1 == N;
        QLineEdit* f = field;
        const int c = styles[i].code;
        QObject::connect(radios[i], &QRadioButton::clicked, page, [&code, f, c, user] {
            code = c;
            f->setEnabled(user);
        });
    }
    auto* indented = new QHBoxLayout;
    indented->addSpacing(18);
    indented->addWidget(field);
    layout->addLayout(indented);
    layout->addStretch(1);
    return group;
}

} // namespace

CdatetimePPage::CdatetimePPage(QWidget* parent)
    : CSettingsPage(QStringLiteral("日付と時刻の書式"), kHelpTopicSettingDateTime, parent),
      m_formats(ProfileSettings::DateTimeFormats()) {
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(MakeGroup(this, QStringLiteral("日付(&D)"), kDateStyles, m_dateRadios, m_dateField,
                                1191, m_formats.date),
                      1);
    layout->addWidget(MakeGroup(this, QStringLiteral("時刻(&T)"), kTimeStyles, m_timeRadios, m_timeField,
                                1197, m_formats.time),
                      1);
}

void CdatetimePPage::FirstPaint() {
    QRadioButton* date = m_dateRadios[PositionOf(kDateStyles, m_formats.date)];
    date->setChecked(true);
    date->setFocus();
    m_timeRadios[PositionOf(kTimeStyles, m_formats.time)]->setChecked(true);
    m_dateField->setText(Cp932::Decode(m_formats.dateEx));
    m_timeField->setText(Cp932::Decode(m_formats.timeEx));
    m_dateField->setEnabled(m_dateRadios.back()->isChecked());
    m_timeField->setEnabled(m_timeRadios.back()->isChecked());
}

namespace {

// The field's text as CP932; characters CP932 cannot hold become references, which the
// field then shows too, so the user is told only once.
std::string TakeFormat(QLineEdit* field) {
    std::string bytes = EncodeForPage(field->text());
    const QString shown = Cp932::Decode(bytes);
    if (shown != field->text())
        field->setText(shown);
    return bytes;
}

} // namespace

void CdatetimePPage::TakeValues() {
    m_formats.dateEx = TakeFormat(m_dateField);
    m_formats.timeEx = TakeFormat(m_timeField);
}
