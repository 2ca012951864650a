// The 60-byte font record of the profile ("Settings"/"Font").
#include "platform/FontRecord.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return FuzzSupport::Initialize(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray block(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<FontRecord::CLogFont> font = FontRecord::Unpack(block);
    FUZZ_CHECK(font.has_value() == (size == FontRecord::kSize));
    if (!font)
        return 0;
    FUZZ_CHECK(font->faceName.size() < 32 && !font->faceName.contains('\0'));
    const QByteArray packed = FontRecord::Pack(*font);
    FUZZ_CHECK(packed.size() == FontRecord::kSize);
    FUZZ_CHECK(FontRecord::Unpack(packed) == font);
    FontRecord::FromQFont(FontRecord::ToQFont(*font));
    return 0;
}
