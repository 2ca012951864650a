// CP932 decoding and encoding, as they meet the bytes of any file the user opens.
#include "platform/Cp932.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Every byte is shown, in order, each character at a boundary of its own.
    const Cp932::DisplayText shown = Cp932::DecodeForDisplay(bytes);
    FUZZ_CHECK(shown.offsets.size() == static_cast<std::size_t>(shown.text.size()));
    // A byte without a character is a placeholder of its own, even inside a two-byte code.
    for (std::size_t i = 0; i < shown.offsets.size(); ++i) {
        FUZZ_CHECK(shown.offsets[i] < size);
        FUZZ_CHECK(i == 0 || shown.offsets[i] > shown.offsets[i - 1]);
        if (!Cp932::IsPlaceholder(shown.text[static_cast<qsizetype>(i)].unicode()))
            FUZZ_CHECK(Cp932::IsCharBoundary(bytes, shown.offsets[i]));
    }
    FUZZ_CHECK(size == 0 || shown.offsets.front() == 0);
    FUZZ_CHECK(Cp932::Decode(bytes) == shown.text);

    // Boundaries agree with each other from every position.
    for (std::size_t pos = 0; pos <= size; ++pos) {
        const std::size_t floor = Cp932::FloorCharBoundary(bytes, pos);
        FUZZ_CHECK(floor <= pos && Cp932::IsCharBoundary(bytes, floor));
        if (pos < size) {
            const std::size_t next = Cp932::NextCharStart(bytes, pos);
            FUZZ_CHECK(next > pos && next <= size);
        }
        if (pos > 0)
            FUZZ_CHECK(Cp932::PrevCharStart(bytes, pos) < pos);
        if (pos < size && Cp932::IsCharBoundary(bytes, pos))
            FUZZ_CHECK(pos + Cp932::CharLength(bytes, pos) == Cp932::NextCharStart(bytes, pos));
    }

    // What was decoded encodes completely, to as many bytes, and reads back as the same text.
    const Cp932::EncodeResult encoded = Cp932::Encode(shown.text);
    FUZZ_CHECK(encoded.unrepresentable.isEmpty());
    FUZZ_CHECK(encoded.bytes.size() == size);
    FUZZ_CHECK(Cp932::Decode(encoded.bytes) == shown.text);

    // Any UTF-16 text (typed, pasted) encodes without harm; references keep every character.
    const QString typed(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    const Cp932::EncodeResult plain = Cp932::Encode(typed);
    const Cp932::EncodeResult referenced = Cp932::EncodeWithReferences(typed);
    FUZZ_CHECK(plain.unrepresentable == referenced.unrepresentable);
    Cp932::ChangedByRoundTrip(typed);
    return 0;
}
