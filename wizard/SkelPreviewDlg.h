#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

// "スケルトンプレビュー": shows a skeleton's source, read-only, lines unwrapped.
class CSkelPreviewDlg : public QDialog {
    Q_OBJECT

public:
    explicit CSkelPreviewDlg(QWidget* parent = nullptr);

    // The source to show, as CP932 bytes.
    void SetText(const std::string& source);
    QString ShownText() const;

private:
    QPlainTextEdit* m_text;
};
