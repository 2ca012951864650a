#include "platform/HelpKeyFilter.h"

#include "platform/HelpBinding.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

bool IsHelpKey(const QKeyEvent& key) {
    constexpr Qt::KeyboardModifiers kHeld =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return (key.key() == Qt::Key_F1 || key.key() == Qt::Key_Help) && (key.modifiers() & kHeld) == 0;
}

} // namespace

CHelpKeyFilter* CHelpKeyFilter::Install(QWidget* window, const char* topic) {
    const QByteArray fixed(topic);
    return Install(window, [fixed] { return fixed; });
}

CHelpKeyFilter* CHelpKeyFilter::Install(QWidget* window, TopicSource topic) {
    return new CHelpKeyFilter(window, std::move(topic));
}

// Installed on the application rather than the window, so that F1 is seen before the
// focused control, whatever control that is.
CHelpKeyFilter::CHelpKeyFilter(QWidget* window, TopicSource topic)
    : QObject(window), m_window(window), m_topic(std::move(topic)) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool CHelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return false;
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != m_window->window())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!IsHelpKey(*key))
        return false;
    // Claiming the override keeps F1 from being taken as a shortcut of the window.
    key->accept();
    if (type == QEvent::KeyPress && !key->isAutoRepeat()) {
        const QByteArray topic = m_topic();
        CHelpBinding::Instance().ShowTopic(topic.constData());
    }
    return true;
}
