#pragma once

#include <QByteArray>
#include <QFont>

#include <optional>

// The editor font as it is stored in the profile ("Settings"/"Font"): the 60-byte
// LOGFONTA record, little-endian. Height is in pixels at 96 dpi (negative: character
// height), the face name is CP932, NUL-terminated, at most 31 bytes.
namespace FontRecord {

constexpr int kSize = 60;
constexpr int kShiftJisCharset = 128;

struct CLogFont {
    qint32 height = 0;
    qint32 width = 0;
    qint32 escapement = 0;
    qint32 orientation = 0;
    qint32 weight = 0;
    quint8 italic = 0;
    quint8 underline = 0;
    quint8 strikeOut = 0;
    quint8 charSet = 0;
    quint8 outPrecision = 0;
    quint8 clipPrecision = 0;
    quint8 quality = 0;
    quint8 pitchAndFamily = 0;
    QByteArray faceName; // CP932 bytes without the terminator

    bool operator==(const CLogFont&) const = default;
};

QByteArray Pack(const CLogFont& font);
// nullopt unless the block is exactly 60 bytes long.
std::optional<CLogFont> Unpack(const QByteArray& block);

CLogFont FromQFont(const QFont& font);
QFont ToQFont(const CLogFont& font);

// 12-point "ＭＳ ゴシック", Shift-JIS: the editor's font when the profile has none.
CLogFont DefaultEditorFont();

// font with the face Qt really draws for it: a stored Windows face name ("ＭＳ ゴシック")
// reaches a font of this desktop only through a substitution.
QFont DrawnFont(const QFont& font);

// The record of a font chosen in a dialog that was opened on DrawnFont(shown): the face
// that was drawn for shown, chosen again, keeps shown's face name, so that a profile
// written elsewhere keeps naming the face it named.
CLogFont FromChosenFont(const QFont& chosen, const QFont& shown);

} // namespace FontRecord
