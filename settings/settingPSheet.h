#pragma once

#include <QDialog>

#include <array>

class CSettingsFrame;
class CSettingsPage;
class CbrowserPPage;
class CdatetimePPage;
class CetcPPage;
class CtoolbarPPage;
class QPushButton;
class QTabWidget;

// The sheet "設定" with its four pages as tabs, OK, キャンセル and ヘルプ. Leaving a page
// takes its values; a page whose values cannot be taken keeps the sheet on it. F1 and the
// help button show the active page's topic.
class CsettingPSheet : public QDialog {
    Q_OBJECT

public:
    explicit CsettingPSheet(CSettingsFrame& frame);

    CbrowserPPage& BrowserPage() const { return *m_browser; }
    CtoolbarPPage& ToolbarPage() const { return *m_toolbar; }
    CdatetimePPage& DatetimePage() const { return *m_datetime; }
    CetcPPage& EtcPage() const { return *m_etc; }

    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    QPushButton* HelpButton() const { return m_help; }
    CSettingsPage* ActivePage() const;

    void accept() override;

private:
    // Takes the values of the page; false (the user told, the focus on the field) when
    // they cannot be taken.
    bool Leave(CSettingsPage* page);
    void OnTabChanged(int index);

    CbrowserPPage* m_browser;
    CtoolbarPPage* m_toolbar;
    CdatetimePPage* m_datetime;
    CetcPPage* m_etc;
    std::array<CSettingsPage*, 4> m_pages{};
    QTabWidget* m_tabs;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_help;
    int m_current = 0;
    bool m_reverting = false;
};
