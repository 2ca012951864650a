#include "platform/PageText.h"

#include "platform/Cp932.h"
#include "platform/PlatformUi.h"

std::string EncodeForPage(const QString& text) {
    Cp932::EncodeResult r = Cp932::EncodeWithReferences(text);
    if (!r.unrepresentable.isEmpty())
        TellUnrepresentable(r.unrepresentable);
    return std::move(r.bytes);
}

void TellUnrepresentable(const QString& characters) {
    Ui().Ask(QStringLiteral("次の文字は Shift-JIS で表せないため、文字参照 (&#x...;) で書き込みました。\n%1")
                 .arg(characters),
             CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Information);
}
