#include "settings/ByteLimitValidator.h"

#include "platform/Cp932.h"

CByteLimitValidator::CByteLimitValidator(int limit, QObject* parent) : QValidator(parent), m_limit(limit) {}

int CByteLimitValidator::ByteLength(const QString& text) {
    return static_cast<int>(Cp932::EncodeWithReferences(text).bytes.size());
}

QValidator::State CByteLimitValidator::validate(QString& input, int& pos) const {
    while (ByteLength(input) > m_limit) {
        // The character before the cursor is the last one typed or pasted; a field that is
        // too long without one loses characters from its end.
        int end = pos > 0 ? pos : static_cast<int>(input.size());
        int start = end - 1;
        if (start > 0 && input[start].isLowSurrogate() && input[start - 1].isHighSurrogate())
            --start;
        input.remove(start, end - start);
        if (pos > 0)
            pos = start;
    }
    return Acceptable;
}
