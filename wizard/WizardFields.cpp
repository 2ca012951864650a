#include "wizard/WizardFields.h"

#include "platform/Cp932.h"
#include "platform/PageText.h"
#include "platform/RelativePath.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

std::string CPageFieldEncoder::operator()(const QString& text) {
    Cp932::EncodeResult r = Cp932::EncodeWithReferences(text);
    // Each character once, a surrogate pair taken whole.
    for (qsizetype i = 0; i < r.unrepresentable.size(); ++i) {
        const qsizetype length = r.unrepresentable[i].isHighSurrogate() ? 2 : 1;
        const QString character = r.unrepresentable.mid(i, length);
        if (!m_unrepresentable.contains(character))
            m_unrepresentable += character;
        i += length - 1;
    }
    return std::move(r.bytes);
}

void CPageFieldEncoder::TellUnrepresentable() const {
    if (!m_unrepresentable.isEmpty())
        ::TellUnrepresentable(m_unrepresentable);
}

std::vector<std::string> EncodeFieldsForPage(const QStringList& texts) {
    CPageFieldEncoder encode;
    std::vector<std::string> out;
    for (const QString& text : texts)
        out.push_back(encode(text));
    encode.TellUnrepresentable();
    return out;
}

QString PageTextForEditor(std::string_view bytes) {
    return Cp932::Decode(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString EditorTextWithCrLf(QString text) {
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void FillTitleList(QListWidget* list, const CSkelList& skeletons) {
    list->clear();
    for (const CSkelItem& item : skeletons)
        list->addItem(Cp932::Decode(item.title));
}

void BrowseIntoField(QLineEdit* field, const QString& reference, const QString& filter) {
    if (const auto relative = BrowseRelative(reference, filter))
        field->setText(*relative);
}
