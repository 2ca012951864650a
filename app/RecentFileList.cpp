#include "app/RecentFileList.h"

#include "platform/FileName.h"
#include "platform/Profile.h"

namespace {
const QString kSection = QStringLiteral("Recent File List");
QString Key(int i) {
    return QStringLiteral("File%1").arg(i + 1);
}
} // namespace

void CRecentFileList::Load() {
    m_files.clear();
    for (int i = 0; i < kSize; ++i) {
        // A text entry and a byte entry (a name that is not UTF-8) both come back as bytes.
        const auto bytes = Profile().GetBinary(kSection, Key(i));
        if (bytes && !bytes->isEmpty())
            m_files.append(FileName::FromNative(*bytes));
    }
}

void CRecentFileList::Save() const {
    for (int i = 0; i < kSize; ++i) {
        const QString path = i < m_files.size() ? m_files[i] : QString();
        // The profile stores text as UTF-8: a name with other bytes is stored as bytes.
        if (FileName::HasForeignBytes(path))
            Profile().PutBinary(kSection, Key(i), FileName::ToNative(path));
        else
            Profile().PutText(kSection, Key(i), path);
    }
}

void CRecentFileList::Add(const QString& path) {
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > kSize)
        m_files.removeLast();
}
