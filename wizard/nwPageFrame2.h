#pragma once

#include <QWizardPage>

#include <array>
#include <string>

class CnewWizPSheet;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Second page of a frame page: size, source file, name and further attributes of each
// frame. Finish composes the frameset page.
class CnwPageFrame2 : public QWizardPage {
    Q_OBJECT

public:
    static constexpr int kFrames = 4;

    explicit CnwPageFrame2(CnewWizPSheet& sheet);

    int nextId() const override;
    void initializePage() override;
    bool validatePage() override;

    // The attribute text the FRAME settings gave frame 0..3.
    const std::string& FrameOptions(int frame) const {
        return m_frames[static_cast<std::size_t>(frame)].options;
    }

private:
    struct Frame {
        QGroupBox* group = nullptr;
        QLineEdit* size = nullptr;
        QLineEdit* src = nullptr;
        QLineEdit* name = nullptr;
        QPushButton* browse = nullptr;
        QPushButton* more = nullptr;
        std::string options;
    };

    void OnBrowse(Frame& frame);
    void OnOptions(Frame& frame);

    CnewWizPSheet& m_sheet;
    QLabel* m_direction;
    QLabel* m_count;
    std::array<Frame, kFrames> m_frames;
};
