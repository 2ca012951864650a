#include "settings/CommandBar.h"
#include "platform/DialogControls.h"

#include "resources/CommandIds.h"
#include "settings/CommandBarLayout.h"

#include <QPushButton>

CCommandBar::CCommandBar(QWidget* parent) : QWidget(parent) {
    QFont small(QStringLiteral("MS UI Gothic"));
    small.setPointSize(8);
    setFont(small);
    for (int f = 1; f <= 12; ++f) {
        auto* button = new QPushButton(this);
        const int id = Cmd::kFirstCommandBarButton + f - 1;
        SetControlId(button, id);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, id] { emit CommandClicked(id); });
        m_keys[static_cast<std::size_t>(f - 1)] = button;
    }
    m_extra = new QPushButton(this);
    SetControlId(m_extra, Cmd::kCommandBarExtra);
    m_extra->setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize CCommandBar::sizeHint() const {
    return {600, fontMetrics().height() + 12};
}

void CCommandBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void CCommandBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    LayOut();
}

void CCommandBar::LayOut() {
    const CCommandBarLayout layout = LayOutCommandBar(width(), height());
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        m_keys[i]->setGeometry(layout.keys[i]);
    m_extra->setGeometry(layout.extra);
}
