#pragma once

#include <QString>
#include <QStringList>

// Filter strings in the form "Name(*.a;*.b)|*.a;*.b|...||", as the program's file
// dialogs are described, turned into the filters a Qt file dialog understands.
struct CDialogFilter {
    QString name;         // "HTML Document"
    QStringList patterns; // {"*.htm", "*.html"}; "*.*" becomes "*" (Linux names need no dot)

    // "HTML Document (*.htm *.html)"
    QString QtFilter() const;
};

QList<CDialogFilter> ParseFilterString(const QString& filter);
QStringList QtFilters(const QString& filter);
