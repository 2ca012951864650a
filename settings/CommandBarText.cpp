#include "settings/CommandBarText.h"

#include "platform/Cp932.h"
#include "resources/CommandTable.h"
#include "settings/FkeyTable.h"

namespace {

constexpr std::size_t kCaptionBytes = 10;

} // namespace

QString CutCaption(std::string_view bytes) {
    if (bytes.size() <= kCaptionBytes)
        return Cp932::Decode(bytes);
    return Cp932::Decode(bytes.substr(0, Cp932::FloorCharBoundary(bytes, kCaptionBytes)));
}

QString CommandBarText(const CFkeyTable& table, int f, int m) {
    const auto found = table.Find(CFkeyTable::KeyCode(f, m));
    if (!found)
        return {};
    if (found->kind == CFkeyTable::kCommand)
        return CutCaption(Cp932::Encode(CommandBarCaption(found->value)).bytes);
    if (found->kind == CFkeyTable::kText)
        return CutCaption(table.GetText(found->value));
    return {};
}
