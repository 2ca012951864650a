#include "platform/InputMethod.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

void DetachInputMethod(QWidget* field) {
    // An editable combo box types into its line edit.
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        field = combo->lineEdit();
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
    field->setInputMethodHints(field->inputMethodHints() | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
}
