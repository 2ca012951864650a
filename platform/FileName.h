#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QUrl;

// File names are bytes on Linux, and old site archives hold names in Shift-JIS that are
// not UTF-8. Qt's own conversion turns such bytes into U+FFFD and cannot find the file
// again. Here every byte survives: UTF-8 sequences become their characters, and each
// byte that is not part of one becomes U+DC80 + byte (a lone low surrogate, which valid
// UTF-8 never yields). Every path that reaches the system goes through ToNative.
namespace FileName {

QByteArray ToNative(const QString& path);
QString FromNative(const QByteArray& bytes);
// True when the name holds bytes that are not UTF-8.
bool HasForeignBytes(const QString& path);

// True when path names a regular file (through symbolic links).
bool IsFile(const QString& path);

// A path relative to the current folder made full (the current folder's bytes kept),
// "." and ".." parts resolved as text.
QString AbsolutePath(const QString& path);

// The program's arguments, from argv itself (Qt's own list loses foreign bytes).
QStringList FromArgv(int argc, char** argv);

// A path as Qt's widgets hand it out (the file dialog, a dropped URL already decoded)
// may hold U+FFFD where the name had foreign bytes. Each such part that does not exist
// is looked up in its folder, so the returned path names the real file.
QString FromQtPath(const QString& path);
// The local file a dropped URL names, percent-escapes decoded as bytes; empty when the
// URL is not a local file.
QString FromUrl(const QUrl& url);

// For showing to the user: a part of the path that is not UTF-8 is read as Shift-JIS, so
// the caption and messages show the name as the page's author wrote it.
QString ForDisplay(const QString& path);

} // namespace FileName
