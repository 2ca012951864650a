#include "platform/FontRecord.h"

#include "platform/Cp932.h"

#include <QFontInfo>
#include <QtEndian>

#include <cmath>

namespace FontRecord {
namespace {

constexpr int kFaceSize = 32;
constexpr double kDpi = 96.0;

void PutInt(QByteArray& out, int offset, qint32 v) {
    qToLittleEndian(v, out.data() + offset);
}
qint32 GetInt(const QByteArray& in, int offset) {
    return qFromLittleEndian<qint32>(in.constData() + offset);
}

} // namespace

QByteArray Pack(const CLogFont& f) {
    QByteArray out(kSize, '\0');
    PutInt(out, 0, f.height);
    PutInt(out, 4, f.width);
    PutInt(out, 8, f.escapement);
    PutInt(out, 12, f.orientation);
    PutInt(out, 16, f.weight);
    const quint8 bytes[8] = {f.italic,       f.underline,     f.strikeOut, f.charSet,
                             f.outPrecision, f.clipPrecision, f.quality,   f.pitchAndFamily};
    for (int i = 0; i < 8; ++i)
        out[20 + i] = static_cast<char>(bytes[i]);
    const QByteArray face = f.faceName.left(kFaceSize - 1);
    for (int i = 0; i < face.size(); ++i)
        out[28 + i] = face[i];
    return out;
}

std::optional<CLogFont> Unpack(const QByteArray& block) {
    if (block.size() != kSize)
        return std::nullopt;
    CLogFont f;
    f.height = GetInt(block, 0);
    f.width = GetInt(block, 4);
    f.escapement = GetInt(block, 8);
    f.orientation = GetInt(block, 12);
    f.weight = GetInt(block, 16);
    auto byte = [&](int i) { return static_cast<quint8>(block[20 + i]); };
    f.italic = byte(0);
    f.underline = byte(1);
    f.strikeOut = byte(2);
    f.charSet = byte(3);
    f.outPrecision = byte(4);
    f.clipPrecision = byte(5);
    f.quality = byte(6);
    f.pitchAndFamily = byte(7);
    // The last of the 32 bytes is the terminator's place: a record without one (written by
    // something else, or damaged) gives the 31 bytes a record can hold, as Pack writes them.
    const QByteArray face = block.mid(28, kFaceSize - 1);
    const qsizetype nul = face.indexOf('\0');
    f.faceName = nul < 0 ? face : face.left(nul);
    return f;
}

CLogFont FromQFont(const QFont& font) {
    CLogFont f;
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / kDpi;
    f.height = -static_cast<qint32>(std::lround(points * kDpi / 72.0));
    f.weight = font.weight();
    f.italic = font.italic() ? 1 : 0;
    f.underline = font.underline() ? 1 : 0;
    f.strikeOut = font.strikeOut() ? 1 : 0;
    f.charSet = kShiftJisCharset;
    f.pitchAndFamily = font.fixedPitch() ? 1 : 0;
    QByteArray face = QByteArray::fromStdString(Cp932::Encode(font.family()).bytes);
    // Cut at a character boundary so the stored name never ends in half a character.
    const std::string_view view(face.constData(), static_cast<std::size_t>(face.size()));
    face.truncate(static_cast<qsizetype>(Cp932::FloorCharBoundary(view, kFaceSize - 1)));
    f.faceName = face;
    return f;
}

QFont ToQFont(const CLogFont& f) {
    QFont font(
        Cp932::Decode(std::string_view(f.faceName.constData(), static_cast<std::size_t>(f.faceName.size()))));
    // Negative heights give the character height, positive ones the cell height;
    // both are treated as the em size, which is what users choose a size by.
    const int pixels = f.height == 0 ? 16 : std::abs(f.height);
    font.setPointSizeF(pixels * 72.0 / kDpi);
    if (f.weight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(f.weight, 1, 1000)));
    font.setItalic(f.italic != 0);
    font.setUnderline(f.underline != 0);
    font.setStrikeOut(f.strikeOut != 0);
    if (f.pitchAndFamily & 1)
        font.setFixedPitch(true);
    return font;
}

CLogFont DefaultEditorFont() {
    CLogFont f;
    f.height = -16; // 12 points at 96 dpi
    f.charSet = kShiftJisCharset;
    f.faceName = QByteArray::fromStdString(Cp932::Encode(QStringLiteral("ＭＳ ゴシック")).bytes);
    return f;
}

QFont DrawnFont(const QFont& font) {
    QFont drawn = font;
    drawn.setFamily(QFontInfo(font).family());
    return drawn;
}

CLogFont FromChosenFont(const QFont& chosen, const QFont& shown) {
    CLogFont record = FromQFont(chosen);
    if (chosen.family() == DrawnFont(shown).family())
        record.faceName = FromQFont(shown).faceName;
    return record;
}

} // namespace FontRecord
