#pragma once

#include <QValidator>

// Limits a field to a number of bytes of the page's encoding (CP932, characters it cannot
// hold counted as the character references they become). What goes beyond the limit is
// cut from the end of what was just typed or pasted, so a full field takes nothing more.
class CByteLimitValidator : public QValidator {
    Q_OBJECT

public:
    CByteLimitValidator(int limit, QObject* parent = nullptr);

    static int ByteLength(const QString& text);

    State validate(QString& input, int& pos) const override;

private:
    int m_limit;
};
