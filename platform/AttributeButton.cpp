#include "platform/AttributeButton.h"

#include <QApplication>

CAttributeButton::CAttributeButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setCheckable(true);
    setAutoDefault(false);
    connect(this, &QPushButton::toggled, this, &CAttributeButton::Apply);
}

void CAttributeButton::SetValueControls(std::initializer_list<QWidget*> controls) {
    m_controls.assign(controls.begin(), controls.end());
    Apply(isChecked());
}

void CAttributeButton::AddValueControl(QWidget* control) {
    m_controls.push_back(control);
    control->setEnabled(isChecked());
}

void CAttributeButton::Apply(bool on) {
    for (QWidget* c : m_controls)
        c->setEnabled(on);
    // The style draws "on" pushed in; the selection colour makes it unmistakable beside
    // the light grey of "off".
    if (!on) {
        setPalette(QPalette());
        return;
    }
    QPalette look = parentWidget() ? parentWidget()->palette() : QApplication::palette(this);
    look.setColor(QPalette::Button, look.color(QPalette::Highlight));
    look.setColor(QPalette::ButtonText, look.color(QPalette::HighlightedText));
    setPalette(look);
}
