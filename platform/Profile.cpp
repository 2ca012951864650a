#include "platform/Profile.h"

#include "platform/Cp932.h"
#include "platform/FileStamp.h"

#include <QSettings>

#include <memory>

namespace {

std::shared_ptr<QSettings> Open(const QString& iniPath) {
    if (iniPath.isEmpty())
        return std::make_shared<QSettings>(QStringLiteral("Brellmoor"), QStringLiteral("Vuro"));
    return std::make_shared<QSettings>(iniPath, QSettings::IniFormat);
}

// The file the user's profile lives in.
const QString& UserProfilePath() {
    static const QString path = Open(QString())->fileName();
    return path;
}

QString Path(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

int CProfile::GetInt(const QString& section, const QString& key, int defaultValue) const {
    const QVariant v = Reading()->value(Path(section, key));
    bool ok = false;
    const int value = v.toInt(&ok);
    return ok ? value : defaultValue;
}

void CProfile::PutInt(const QString& section, const QString& key, int value) const {
    Settings()->setValue(Path(section, key), value);
}

std::string CProfile::GetString(const QString& section, const QString& key,
                                const std::string& defaultValue) const {
    const QVariant v = Reading()->value(Path(section, key));
    if (!v.isValid())
        return defaultValue;
    return Cp932::Encode(v.toString()).bytes;
}

void CProfile::PutString(const QString& section, const QString& key, const std::string& value) const {
    Settings()->setValue(Path(section, key), Cp932::Decode(value));
}

QString CProfile::GetText(const QString& section, const QString& key) const {
    return Reading()->value(Path(section, key)).toString();
}

void CProfile::PutText(const QString& section, const QString& key, const QString& value) const {
    Settings()->setValue(Path(section, key), value);
}

std::optional<QByteArray> CProfile::GetBinary(const QString& section, const QString& key) const {
    const QVariant v = Reading()->value(Path(section, key));
    if (!v.isValid())
        return std::nullopt;
    return v.toByteArray();
}

void CProfile::PutBinary(const QString& section, const QString& key, const QByteArray& value) const {
    Settings()->setValue(Path(section, key), value);
}

QString CProfile::FileName() const {
    return Reading()->fileName();
}

std::shared_ptr<QSettings> CProfile::Settings() const {
    if (m_batch)
        return m_batch;
    // A write outside a batch goes to the store at once; the next read opens it again.
    m_reading.reset();
    return Open(m_iniPath);
}

// Opening the store costs more than a look at its file, and some states are asked for
// several times a second: a read opens it again only when the file has changed since.
std::shared_ptr<QSettings> CProfile::Reading() const {
    if (m_batch)
        return m_batch;
    const CFileStamp stamp = CFileStamp::Of(m_iniPath.isEmpty() ? UserProfilePath() : m_iniPath);
    if (!m_reading || !(stamp == m_readingStamp)) {
        // The stamp is taken before the reading: a change in between is read again next time.
        m_reading = Open(m_iniPath);
        m_readingStamp = stamp;
    }
    return m_reading;
}

CProfileBatch::CProfileBatch(const CProfile& profile) : m_profile(profile) {
    if (m_profile.m_batchDepth++ == 0)
        m_profile.m_batch = Open(m_profile.m_iniPath);
}

CProfileBatch::CProfileBatch() : CProfileBatch(Profile()) {}

CProfileBatch::~CProfileBatch() {
    // Releasing the last reference writes the changes back.
    if (--m_profile.m_batchDepth == 0) {
        m_profile.m_batch.reset();
        m_profile.m_reading.reset();
    }
}

CProfile& Profile() {
    static CProfile profile;
    return profile;
}

void SetProfile(const CProfile& profile) {
    Profile() = profile;
}
