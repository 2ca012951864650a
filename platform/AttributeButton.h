#pragma once

#include <QPushButton>

#include <initializer_list>
#include <vector>

// The button of an optional tag attribute: a toggle captioned with the attribute's name
// and "=" ("&width="). While it is on the attribute is written and its value controls
// (field, spin arrows, list, "%" box) are enabled; switching it off disables them. "On"
// shows pushed in and in the selection colour.
class CAttributeButton : public QPushButton {
    Q_OBJECT

public:
    explicit CAttributeButton(const QString& caption, QWidget* parent = nullptr);

    // The controls that follow the button's state; they take it at once.
    void SetValueControls(std::initializer_list<QWidget*> controls);
    void AddValueControl(QWidget* control);
    bool IsOn() const { return isChecked(); }
    void SetOn(bool on) { setChecked(on); }

private:
    void Apply(bool on);
    std::vector<QWidget*> m_controls;
};
