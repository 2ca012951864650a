#include "tags/HistoryComboBox.h"

#include "platform/Cp932.h"

#include <QLineEdit>
#include <QSignalBlocker>

CHistoryComboBox::CHistoryComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(5);
}

void CHistoryComboBox::SetEntries(const std::vector<std::string>& entries) {
    // Clearing and the first added entry would both replace the typed text.
    const QString typed = currentText();
    const int cursor = lineEdit()->cursorPosition();
    {
        const QSignalBlocker quiet(this);
        clear();
        for (const std::string& entry : entries)
            addItem(Cp932::Decode(entry));
        setCurrentIndex(-1);
    }
    lineEdit()->setText(typed);
    lineEdit()->setCursorPosition(cursor);
}

void CHistoryComboBox::showPopup() {
    if (m_refill)
        SetEntries(m_refill());
    QComboBox::showPopup();
}
