#include "platform/MnemonicClick.h"

#include <QAbstractButton>
#include <QApplication>
#include <QShortcutEvent>

namespace {

class CMnemonicClick : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut)
            return false;
        auto* button = qobject_cast<QAbstractButton*>(watched);
        // A mnemonic shared by several controls only moves the focus among them, as Qt does.
        if (!button || !button->isEnabled() || static_cast<QShortcutEvent*>(event)->isAmbiguous())
            return false;
        if (!button->hasFocus())
            button->setFocus(Qt::ShortcutFocusReason);
        button->click();
        return true;
    }
};

} // namespace

void InstallImmediateMnemonics(QApplication& app) {
    app.installEventFilter(new CMnemonicClick(&app));
}
