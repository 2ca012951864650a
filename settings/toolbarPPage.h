#pragma once

#include "settings/SettingsPage.h"

#include <memory>
#include <vector>

class CTbButtonInfo;
class QListWidget;
class QPushButton;
class QRadioButton;

// The page "ツールバー": which buttons of the main tool bar are shown, moved between the
// lists of hidden and shown buttons, and whether the buttons show text or images. The
// hidden flags are changed in the frame's button list at once.
class CtoolbarPPage : public CSettingsPage {
    Q_OBJECT

public:
    static constexpr int kMaxEntries = 50;

    explicit CtoolbarPPage(std::vector<std::unique_ptr<CTbButtonInfo>>& buttons, QWidget* parent = nullptr);

    // 0 image buttons, anything else text buttons.
    int Type() const { return m_type; }

    QListWidget* HiddenList() const { return m_hiddenList; }
    QListWidget* ShownList() const { return m_shownList; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* RemoveButton() const { return m_remove; }
    QRadioButton* TextType() const { return m_textType; }
    QRadioButton* ImageType() const { return m_imageType; }

protected:
    void FirstPaint() override;

private:
    void FillLists();
    // Sets the hidden flag of the entries selected in list (at most 50), then refills.
    void Move(QListWidget* list, const std::vector<std::size_t>& map, int hidden);

    std::vector<std::unique_ptr<CTbButtonInfo>>& m_buttons;
    int m_type;
    // Position in each list to index in the button list.
    std::vector<std::size_t> m_hiddenMap;
    std::vector<std::size_t> m_shownMap;
    QListWidget* m_hiddenList;
    QListWidget* m_shownList;
    QPushButton* m_add;
    QPushButton* m_remove;
    QRadioButton* m_textType;
    QRadioButton* m_imageType;
};
