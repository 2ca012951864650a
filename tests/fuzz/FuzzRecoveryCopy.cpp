// The recovery copy of unsaved text, read back at the next start, and the names and /proc
// texts that decide whose copy it is.
#include "editor/RecoveryCopy.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // An intact copy is exactly what writing its content gives.
    if (const std::optional<RecoveryCopy::CContent> content = RecoveryCopy::Parse(bytes))
        FUZZ_CHECK(RecoveryCopy::Serialize(content->path, CTextSnapshot(content->text)) == bytes);

    // A copy's file name names one instance, and that instance names the file the same way.
    if (const std::optional<RecoveryCopy::CInstanceId> writer = RecoveryCopy::InstanceOf(bytes))
        FUZZ_CHECK(RecoveryCopy::InstanceOf(RecoveryCopy::FileNameOf(*writer)) == writer);

    RecoveryCopy::StartTicksFromStat(bytes);
    if (const std::optional<std::string> boot = RecoveryCopy::BootIdFrom(bytes))
        FUZZ_CHECK(boot->size() == 32);
    return 0;
}
