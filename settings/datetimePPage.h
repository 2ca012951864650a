#pragma once

#include "platform/ProfileSettings.h"
#include "settings/SettingsPage.h"

#include <array>

class QLineEdit;
class QRadioButton;

// The page "日付と時刻の書式": the date style and the time style of the insert-date and
// insert-time commands, each a fixed format or the user's own.
class CdatetimePPage : public CSettingsPage {
    Q_OBJECT

public:
    explicit CdatetimePPage(QWidget* parent = nullptr);

    // The codes and formats as the profile held them, changed by the radios and the fields.
    const ProfileSettings::CDateTimeFormats& Formats() const { return m_formats; }

    // Radios in the order of their codes' captions: date 1, 2, 3, user; time 1 to 4, user.
    QRadioButton* DateRadio(int position) const { return m_dateRadios[static_cast<std::size_t>(position)]; }
    QRadioButton* TimeRadio(int position) const { return m_timeRadios[static_cast<std::size_t>(position)]; }
    QLineEdit* DateField() const { return m_dateField; }
    QLineEdit* TimeField() const { return m_timeField; }

protected:
    void FirstPaint() override;
    void TakeValues() override;

private:
    ProfileSettings::CDateTimeFormats m_formats;
    std::array<QRadioButton*, 4> m_dateRadios{};
    std::array<QRadioButton*, 5> m_timeRadios{};
    QLineEdit* m_dateField;
    QLineEdit* m_timeField;
};
