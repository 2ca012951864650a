#pragma once

#include <QComboBox>

#include <functional>
#include <string>
#include <vector>

// A combo box with an edit field whose drop-down list offers a field's history. Filling
// the list never touches the typed text, the list keeps the order it is given (no
// sorting) and nothing completes the typed text on its own.
class CHistoryComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit CHistoryComboBox(QWidget* parent = nullptr);

    // Replaces the list by the given entries (CP932), in their order.
    void SetEntries(const std::vector<std::string>& entries);
    // When set, the list is refilled from this every time it is about to drop down.
    void SetRefill(std::function<std::vector<std::string>()> refill) { m_refill = std::move(refill); }

    void showPopup() override;

private:
    std::function<std::vector<std::string>()> m_refill;
};
