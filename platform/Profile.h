#pragma once

#include "platform/FileStamp.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <string>

class QSettings;

// The per-user profile: named integer, string and binary values in sections under
// Brellmoor/Vuro (on Linux the INI file ~/.config/Brellmoor/Vuro.conf). Strings reach
// the program as CP932 bytes and are stored as text. Every write goes to the store at
// once, and every read sees the store as it is (it is read again whenever its file has
// changed), except within a batch (CProfileBatch), whose accesses share one reading of
// the store and write it back once.
class CProfile {
public:
    // The user's profile.
    CProfile() = default;
    // A profile kept in the given INI file instead (tests, portable use).
    explicit CProfile(QString iniPath) : m_iniPath(std::move(iniPath)) {}
    // A copy names the same store; an open batch stays with the object that opened it.
    CProfile(const CProfile& other) : m_iniPath(other.m_iniPath) {}
    CProfile& operator=(const CProfile& other) {
        m_iniPath = other.m_iniPath;
        m_reading.reset();
        return *this;
    }

    int GetInt(const QString& section, const QString& key, int defaultValue) const;
    void PutInt(const QString& section, const QString& key, int value) const;

    std::string GetString(const QString& section, const QString& key, const std::string& defaultValue) const;
    void PutString(const QString& section, const QString& key, const std::string& value) const;

    // Text kept by the program itself rather than typed into the page (file names of the
    // recent-file list): stored as it is, without passing through CP932.
    QString GetText(const QString& section, const QString& key) const;
    void PutText(const QString& section, const QString& key, const QString& value) const;

    // nullopt when the value does not exist.
    std::optional<QByteArray> GetBinary(const QString& section, const QString& key) const;
    void PutBinary(const QString& section, const QString& key, const QByteArray& value) const;

    // Layout of the main window's bars, kept in section "BarState".
    std::optional<QByteArray> GetBarState(const QString& key) const { return GetBinary(kBarState, key); }
    void PutBarState(const QString& key, const QByteArray& value) const { PutBinary(kBarState, key, value); }

    // Where the values are stored (for messages and tests).
    QString FileName() const;

    static inline const QString kBarState = QStringLiteral("BarState");

private:
    friend class CProfileBatch;
    // The settings object writes go through, and the one reads go through.
    std::shared_ptr<QSettings> Settings() const;
    std::shared_ptr<QSettings> Reading() const;

    QString m_iniPath;
    // While a batch is open, the settings object every access uses.
    mutable std::shared_ptr<QSettings> m_batch;
    mutable int m_batchDepth = 0;
    // The last reading of the store outside a batch, and the stamp of its file then.
    mutable std::shared_ptr<QSettings> m_reading;
    mutable CFileStamp m_readingStamp;
};

// A run of accesses to a profile (Profile() by default) that shares one settings object:
// the store is read once and written back once, when the outermost batch ends.
class CProfileBatch {
public:
    explicit CProfileBatch(const CProfile& profile);
    CProfileBatch();
    ~CProfileBatch();
    CProfileBatch(const CProfileBatch&) = delete;
    CProfileBatch& operator=(const CProfileBatch&) = delete;

private:
    const CProfile& m_profile;
};

// The profile every part of the editor uses; tests point it at a file of their own.
CProfile& Profile();
void SetProfile(const CProfile& profile);
