#include "platform/AttributeButton.h"

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
}
