// Relative paths: the page's own path and a path the user chose or typed into a tag, as
// "<base>\n<target>" in UTF-8.
#include "platform/RelativePath.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QRegularExpression>

#include <cstdint>

namespace {

// An absolute POSIX path without empty, "." or ".." parts, which names one file one way.
bool IsPlainPosixPath(const QString& path) {
    static const QRegularExpression kPlain(QStringLiteral("^(/[^/]+)+$"));
    if (!kPlain.match(path).hasMatch())
        return false;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return !parts.contains(QStringLiteral(".")) && !parts.contains(QStringLiteral(".."));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype cut = input.indexOf(QLatin1Char('\n'));
    const QString base = cut < 0 ? input : input.left(cut);
    const QString target = cut < 0 ? QString() : input.mid(cut + 1);

    const QString relative = MakeRelativePath(base, target);
    ResolveRelativePath(base, target);
    ResolveRelativePath(base, target, QLatin1Char('\\'));
    IsOnOtherDrive(base, target);
    // Between two plain POSIX paths the relative path leads back to the target.
    if (IsPlainPosixPath(base) && IsPlainPosixPath(target)) {
        const std::optional<QString> back = ResolveRelativePath(base, relative);
        FUZZ_CHECK(back.has_value());
        FUZZ_CHECK(*back == target);
    }
    return 0;
}
