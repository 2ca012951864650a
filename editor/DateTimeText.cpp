#include "editor/DateTimeText.h"

#include "platform/Cp932.h"

#include <QString>

#include <array>
#include <utility>
#include <vector>

namespace DateTimeText {
namespace {

constexpr std::array<const char*, 7> kJapaneseWeekdays = {"日", "月", "火", "水", "木", "金", "土"};
constexpr std::array<const char*, 7> kEnglishWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 7> kLongWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kLongMonths = {"January",   "February", "March",    "April",
                                                     "May",       "June",     "July",     "August",
                                                     "September", "October",  "November", "December"};

// 0 for Sunday up to 6 for Saturday.
int WeekdayIndex(const QDate& date) {
    return date.dayOfWeek() % 7;
}

std::string Bytes(const QString& text) {
    return Cp932::Encode(text).bytes;
}
std::string Bytes(const char* utf8) {
    return Bytes(QString::fromUtf8(utf8));
}

std::string Padded(int value) {
    return QString::asprintf("%2d", value).toStdString();
}
std::string Zeroed(int value) {
    return QString::asprintf("%02d", value).toStdString();
}

void ReplaceAll(std::string& text, std::string_view code, const std::string& value) {
    std::size_t at = 0;
    while ((at = text.find(code, at)) != std::string::npos) {
        text.replace(at, code.size(), value);
        at += value.size();
    }
}

// Replaces each code in turn, so what one replacement puts in is seen by the later ones.
std::string ReplaceCodes(std::string_view format,
                         const std::vector<std::pair<const char*, std::string>>& codes) {
    std::string text(format);
    for (const auto& [code, value] : codes)
        ReplaceAll(text, code, value);
    return text;
}

} // namespace

std::string FormatDate(int style, std::string_view userFormat, const QDate& date) {
    const int y = date.year();
    const int m = date.month();
    const int d = date.day();
    const int w = WeekdayIndex(date);
    switch (style) {
    case 1:
        return Bytes(QString::asprintf("%4d年%2d月%2d日（", y, m, d) +
                     QString::fromUtf8(kJapaneseWeekdays[w]) + QStringLiteral("）"));
    case 2:
        return Bytes(QString::asprintf("%4d/%02d/%02d(%s)", y, m, d, kEnglishWeekdays[w]));
    case 3:
        // The long date of the C library's default locale: weekday, month, day and year in English.
        return Bytes(QString::asprintf("%s, %s %02d, %04d", kLongWeekdays[w], kLongMonths[m - 1], d, y));
    default:
        return ReplaceCodes(userFormat, {{"%y", Zeroed(((y % 100) + 100) % 100)},
                                         {"%Y", QString::asprintf("%4d", y).toStdString()},
                                         {"%m", Padded(m)},
                                         {"%M", Zeroed(m)},
                                         {"%d", Padded(d)},
                                         {"%D", Zeroed(d)},
                                         {"%w", Bytes(kJapaneseWeekdays[w])},
                                         {"%W", kEnglishWeekdays[w]}});
    }
}

std::string FormatTime(int style, std::string_view userFormat, const QTime& time) {
    const int h = time.hour();
    const int h12 = h % 12;
    const int m = time.minute();
    const int s = time.second();
    const char* halfJapanese = h < 12 ? "午前" : "午後";
    const char* halfEnglish = h < 12 ? "AM" : "PM";
    switch (style) {
    case 1:
        return Bytes(QString::asprintf("%2d時%02d分%02d秒", h, m, s));
    case 2:
        return Bytes(QString::fromUtf8(halfJapanese) + QString::asprintf("%2d時%02d分%02d秒", h12, m, s));
    case 3:
        return QString::asprintf("%2d:%02d:%02d", h, m, s).toStdString();
    case 4:
        return QString::asprintf("%s%2d:%02d:%02d", halfEnglish, h12, m, s).toStdString();
    default:
        return ReplaceCodes(userFormat, {{"%p", Bytes(halfJapanese)},
                                         {"%P", halfEnglish},
                                         {"%t", Padded(h12)},
                                         {"%T", Zeroed(h12)},
                                         {"%h", Padded(h)},
                                         {"%H", Zeroed(h)},
                                         {"%m", Padded(m)},
                                         {"%M", Zeroed(m)},
                                         {"%s", Padded(s)},
                                         {"%S", Zeroed(s)}});
    }
}

} // namespace DateTimeText
