#include "platform/FirstPaint.h"

#include <QEvent>
#include <QWidget>

CFirstPaint* CFirstPaint::Install(QWidget* window, std::function<void()> setUp) {
    return new CFirstPaint(window, std::move(setUp));
}

CFirstPaint::CFirstPaint(QWidget* window, std::function<void()> setUp)
    : QObject(window), m_window(window), m_setUp(std::move(setUp)) {
    window->installEventFilter(this);
}

void CFirstPaint::EnsureDone() {
    if (m_done)
        return;
    m_done = true;
    m_window->removeEventFilter(this);
    m_setUp();
}

bool CFirstPaint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::Paint)
        EnsureDone();
    return false;
}
