#include "platform/InputMethod.h"

#include <QComboBox>
#include <QEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QWidget>

namespace {

// Answers "no input method here" for the field it watches. Qt's line edit answers the input
// method's question itself and ignores Qt::WA_InputMethodEnabled, so the answer is changed on
// the way back.
class CInputMethodBlocker : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::InputMethodQuery)
            return false;
        auto* query = static_cast<QInputMethodQueryEvent*>(event);
        watched->event(event);
        if (query->queries() & Qt::ImEnabled)
            query->setValue(Qt::ImEnabled, false);
        return true;
    }
};

void Detach(QWidget* widget) {
    widget->setAttribute(Qt::WA_InputMethodEnabled, false);
    widget->setInputMethodHints(widget->inputMethodHints() | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    static constexpr const char* kDetached = "vuroInputMethodDetached";
    if (!widget->property(kDetached).toBool()) {
        widget->setProperty(kDetached, true);
        widget->installEventFilter(new CInputMethodBlocker(widget));
    }
}

} // namespace

void DetachInputMethod(QWidget* field) {
    // The input method asks the widget with the focus. An editable combo box keeps the focus
    // itself and passes the typing on to its line edit, so both are switched off.
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        Detach(combo->lineEdit());
    Detach(field);
}
