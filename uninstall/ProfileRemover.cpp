#include "uninstall/ProfileRemover.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// A maker or product name becomes a folder or file name: it must not lead elsewhere.
bool IsSafeName(const QString& name) {
    return name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(QLatin1Char('/')) &&
           !name.contains(QChar(0));
}

QString Failure(const QString& file, const QString& reason) {
    return QStringLiteral("設定を削除できませんでした。\n\nファイル: %1\n理由: %2")
        .arg(QDir::toNativeSeparators(file), reason);
}

QString Reason(int error, const QString& file) {
    switch (error) {
    case EACCES:
        return QStringLiteral("フォルダ「%1」に書き込む権限がありません。")
            .arg(QDir::toNativeSeparators(QFileInfo(file).absolutePath()));
    case EPERM:
        return QStringLiteral("このファイルの削除は許可されていません。");
    case EROFS:
        return QStringLiteral("読み取り専用のファイルシステム上にあります。");
    case EBUSY:
        return QStringLiteral("ファイルが使用中です。");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

} // namespace

CProfileRemover::CProfileRemover(const QString& key) : m_key(key) {
    const QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.size() != 3 || parts[0].compare(QLatin1String("software"), Qt::CaseInsensitive) != 0)
        return;
    if (!IsSafeName(parts[1]) || !IsSafeName(parts[2]))
        return;
    m_organization = parts[1];
    m_application = parts[2];
}

QString CProfileRemover::FileName() const {
    if (!IsValid())
        return QString();
    return QSettings(m_organization, m_application).fileName();
}

bool CProfileRemover::Remove() {
    m_error.clear();
    if (!IsValid()) {
        m_error = QStringLiteral("削除する設定の指定「%1」が正しくありません。").arg(m_key);
        return false;
    }
    const QString file = FileName();
    const QFileInfo info(file);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir()) {
        m_error = Failure(file, QStringLiteral("設定ファイルの場所に同じ名前のフォルダがあります。"));
        return false;
    }
    {
        // The values go first, through QSettings and under its lock file; then the file itself.
        QSettings settings(m_organization, m_application);
        settings.clear();
        settings.sync();
    }
    if (::unlink(QFile::encodeName(file).constData()) != 0 && errno != ENOENT) {
        m_error = Failure(file, Reason(errno, file));
        return false;
    }
    if (QFileInfo(file).exists()) {
        m_error = Failure(file, QStringLiteral("削除したファイルがまだ残っています。"));
        return false;
    }
    QDir().rmdir(info.absolutePath());
    return true;
}
