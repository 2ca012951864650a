#pragma once

#include <QDialog>

#include <string>

class CAttributeButton;
class CFirstPaint;
class CUpDownEdit;
class QComboBox;

// "FRAMEの設定": the further attributes of one frame (margins, scrolling, noresize). It
// always opens in its start state; OK leaves the attribute text in Options().
class CFrameOptDlg : public QDialog {
    Q_OBJECT

public:
    explicit CFrameOptDlg(QWidget* parent = nullptr);

    // " marginheight=5 scrolling=\"no\" noresize" and the like; empty before OK.
    const std::string& Options() const { return m_options; }

    void accept() override;

private:
    CFirstPaint* m_firstPaint;
    CAttributeButton* m_marginHeightOn;
    CAttributeButton* m_marginWidthOn;
    CAttributeButton* m_scrollingOn;
    CAttributeButton* m_noResize;
    CUpDownEdit* m_marginHeight;
    CUpDownEdit* m_marginWidth;
    QComboBox* m_scrolling;
    std::string m_options;
};
