#pragma once

#include <QWidget>

#include <array>

class QPushButton;

// The bar of twelve function-key buttons along the bottom of the main window, plus one
// extra button that has no command and is kept outside the visible bar.
class CCommandBar : public QWidget {
    Q_OBJECT

public:
    explicit CCommandBar(QWidget* parent = nullptr);

    // Button of function key f (1..12).
    QPushButton* KeyButton(int f) const { return m_keys[static_cast<std::size_t>(f - 1)]; }
    QPushButton* ExtraButton() const { return m_extra; }
    QSize sizeHint() const override;

signals:
    // A button was clicked: its command identifier (1226 for F1 ... 1237 for F12).
    void CommandClicked(int id);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void LayOut();

    std::array<QPushButton*, 12> m_keys{};
    QPushButton* m_extra;
};
