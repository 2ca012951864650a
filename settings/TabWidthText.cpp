#include "settings/TabWidthText.h"

#include <QRegularExpression>

CTabWidthCheck CheckTabWidth(const QString& text) {
    static const QRegularExpression kInteger(QStringLiteral("^[ \\t]*([+-]?[0-9]+)[ \\t]*$"));
    const QRegularExpressionMatch match = kInteger.match(text);
    if (!match.hasMatch())
        return {0, QStringLiteral("タブの桁数には整数を入力してください。")};
    bool fits = false;
    const int columns = match.captured(1).toInt(&fits);
    if (!fits || columns < kMinTabColumns || columns > kMaxTabColumns)
        return {0, QStringLiteral("タブの桁数には %1 から %2 までの整数を入力してください。")
                       .arg(kMinTabColumns)
                       .arg(kMaxTabColumns)};
    return {columns, {}};
}
