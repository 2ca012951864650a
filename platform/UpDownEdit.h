#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A number field with up and down arrows attached. The arrows (and the arrow keys in the
// field) set the field to the next number as plain decimal, within the range; the range
// limits only the arrows, never what may be typed.
class CUpDownEdit : public QWidget {
    Q_OBJECT

public:
    explicit CUpDownEdit(QWidget* parent = nullptr);

    QLineEdit* Field() const { return m_field; }
    QString Text() const;
    void SetText(const QString& text);
    void SetRange(int minimum, int maximum);
    int Minimum() const { return m_min; }
    int Maximum() const { return m_max; }
    // One step of the arrows: +1 up, -1 down.
    void Step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_field;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_min = 0;
    int m_max = 100;
};
