#pragma once

#include <QDate>
#include <QTime>

#include <string>
#include <string_view>

// The date and time texts the insert-date and insert-time commands put into the page, as
// CP932 bytes. Styles 1 to 3 (date) and 1 to 4 (time) are fixed; any other style uses
// the user's format, whose codes are replaced one after another in a fixed order.
namespace DateTimeText {

// 1 "2000年 3月 7日（火）", 2 "2000/03/07(Tue)", 3 "Tuesday, March 07, 2000"; otherwise
// userFormat with %y %Y %m %M %d %D %w %W replaced.
std::string FormatDate(int style, std::string_view userFormat, const QDate& date);

// 1 "12時05分00秒", 2 "午後 0時05分00秒", 3 "12:05:00", 4 "PM 0:05:00"; otherwise
// userFormat with %p %P %t %T %h %H %m %M %s %S replaced.
std::string FormatTime(int style, std::string_view userFormat, const QTime& time);

} // namespace DateTimeText
