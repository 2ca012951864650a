#include "platform/UpDownEdit.h"

#include "platform/NumberText.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

CUpDownEdit::CUpDownEdit(QWidget* parent) : QWidget(parent) {
    m_field = new QLineEdit(this);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(16, 11);
    }
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_field, 1);
    layout->addLayout(arrows);
    setFocusProxy(m_field);
    m_field->installEventFilter(this);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

QString CUpDownEdit::Text() const {
    return m_field->text();
}
void CUpDownEdit::SetText(const QString& text) {
    m_field->setText(text);
}

void CUpDownEdit::SetRange(int minimum, int maximum) {
    m_min = std::min(minimum, maximum);
    m_max = std::max(minimum, maximum);
}

void CUpDownEdit::Step(int delta) {
    const long long current = LeadingInteger(m_field->text());
    const long long next = std::clamp<long long>(current + delta, m_min, m_max);
    m_field->setText(QString::number(next));
}

bool CUpDownEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            Step(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
