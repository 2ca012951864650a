#include "platform/FileFilter.h"

#include <QRegularExpression>

QString CDialogFilter::QtFilter() const {
    return name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QList<CDialogFilter> ParseFilterString(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    // A well-formed string ends with "||", which leaves two empty parts behind.
    while (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    QList<CDialogFilter> filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        CDialogFilter f;
        // The display name usually repeats its patterns in parentheses; Qt shows them itself.
        static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
        f.name = parts[i];
        f.name.remove(trailingPatterns);
        if (f.name.isEmpty())
            f.name = parts[i];
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            f.patterns.append(pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
        }
        filters.append(f);
    }
    return filters;
}

QStringList QtFilters(const QString& filter) {
    QStringList out;
    for (const CDialogFilter& f : ParseFilterString(filter))
        out.append(f.QtFilter());
    return out;
}
