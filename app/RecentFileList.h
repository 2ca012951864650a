#pragma once

#include <QStringList>

// The four most recently used files, kept in the profile section "Recent File List"
// ("File1" is the newest). The editor shows them nowhere; it keeps them up to date.
class CRecentFileList {
public:
    static constexpr int kSize = 4;

    void Load();
    void Save() const;
    void Add(const QString& path);
    const QStringList& Files() const { return m_files; }

private:
    QStringList m_files;
};
