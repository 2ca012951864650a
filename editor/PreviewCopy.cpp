#include "editor/PreviewCopy.h"

#include "platform/FileName.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Stat(const QString& path, struct stat& st) {
    return ::lstat(FileName::ToNative(path).constData(), &st) == 0;
}

long long ModifiedNs(const struct stat& st) {
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

} // namespace

SafeFile::WriteResult CPreviewCopy::Write(const QString& path, const CTextSnapshot& text) {
    SafeFile::WriteResult r = DocumentFile::Write(path, text);
    struct stat st {};
    if (r.ok && Stat(path, st)) {
        m_path = path;
        m_device = st.st_dev;
        m_inode = st.st_ino;
        m_size = st.st_size;
        m_modifiedNs = ModifiedNs(st);
    }
    return r;
}

bool CPreviewCopy::IsOurs(const QString& path) const {
    struct stat st {};
    return !m_path.isEmpty() && path == m_path && Stat(path, st) && S_ISREG(st.st_mode) &&
           st.st_dev == m_device && st.st_ino == m_inode && st.st_size == m_size &&
           ModifiedNs(st) == m_modifiedNs;
}

void CPreviewCopy::Remove(const QString& path) {
    if (path.isEmpty())
        return;
    if (IsOurs(path))
        ::unlink(FileName::ToNative(path).constData());
    if (path == m_path)
        m_path.clear();
}
