#pragma once

#include <QString>

#include <optional>

// Paths of files the page refers to, relative to the page's own file, so that a site can
// be moved as a whole. In Windows-style paths ("C:\web\a.html") both "/" and "\" separate
// folders; in POSIX paths (those that begin with "/") only "/" does, for "\" is an ordinary
// character of a Linux file name. Parts are compared exactly (case counts).

// The path of target relative to the folder of base, with "/" separators; a file in the
// same folder gives its bare name.
QString MakeRelativePath(const QString& base, const QString& target);

// The path that relative names when read from the folder of base: leading ".." climb one
// folder each, leading "." are dropped, the rest is appended. separator joins the parts
// of a Windows-style result. For a POSIX base, nullopt when the name climbs above the
// root folder, rather than a path the system would quietly read as one inside the root.
std::optional<QString> ResolveRelativePath(const QString& base, const QString& relative,
                                           QChar separator = QLatin1Char('/'));

// Whether two paths lie on different drives ("C:" against "D:"); paths without drive
// letters, as on Linux, never do.
bool IsOnOtherDrive(const QString& reference, const QString& chosen);

// The Browse button of the tag and wizard dialogs: asks for a file (filter as the file
// dialogs take it, starting in startFolder when given) and returns its path relative to
// reference, or nullopt when the user cancelled, chose a file on another drive (then told
// so) or declined a name that CP932 would change. chosenPath, when given, receives the
// chosen file's full path.
std::optional<QString> BrowseRelative(const QString& reference, const QString& filter,
                                      const QString& startFolder = QString(), QString* chosenPath = nullptr);
