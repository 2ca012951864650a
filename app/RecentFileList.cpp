#include "app/RecentFileList.h"

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
        const QString path = Profile().GetText(kSection, Key(i));
        if (!path.isEmpty())
            m_files.append(path);
    }
}

void CRecentFileList::Save() const {
    for (int i = 0; i < kSize; ++i)
        Profile().PutText(kSection, Key(i), i < m_files.size() ? m_files[i] : QString());
}

void CRecentFileList::Add(const QString& path) {
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > kSize)
        m_files.removeLast();
}
