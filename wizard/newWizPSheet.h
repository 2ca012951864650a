#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWizard>

#include <string>
#include <vector>

class CnwPageFrame1;
class CnwPageFrame2;
class CnwPageNorm1;
class CnwPageNorm2;
class CnwPageSkel;
class CnwPageTop;

// The new-file wizard: a first page choosing the kind of page and its file, then two
// pages for a normal page, two for a frame page, or one choosing a stored skeleton. Its
// result is the generated text and the chosen path; it never writes a file.
class CnewWizPSheet : public QWizard {
    Q_OBJECT

public:
    // Pages are known by the numbers of their dialog templates.
    static constexpr int kPageTop = 113;
    static constexpr int kPageNorm1 = 114;
    static constexpr int kPageNorm2 = 115;
    static constexpr int kPageSkel = 116;
    static constexpr int kPageFrame1 = 140;
    static constexpr int kPageFrame2 = 141;

    explicit CnewWizPSheet(QWidget* parent = nullptr);

    // The shared fields: the chosen file (path taken on the first page's Next, title and
    // extension on its Browse) and the text the finishing page generated.
    const QString& FilePath() const { return m_filePath; }
    void SetFilePath(const QString& path) { m_filePath = path; }
    const QString& FileTitle() const { return m_fileTitle; }
    const QString& FileExtension() const { return m_fileExtension; }
    void SetChosenFile(const QString& path);
    const std::string& GeneratedText() const { return m_generatedText; }
    void SetGeneratedText(std::string text) { m_generatedText = std::move(text); }

    CnwPageTop* PageTop() const { return m_top; }
    CnwPageNorm1* PageNorm1() const { return m_norm1; }
    CnwPageNorm2* PageNorm2() const { return m_norm2; }
    CnwPageSkel* PageSkel() const { return m_skel; }
    CnwPageFrame1* PageFrame1() const { return m_frame1; }
    CnwPageFrame2* PageFrame2() const { return m_frame2; }

    // The help topic of the page being shown.
    QByteArray ActiveHelpTopic() const;

private:
    void AddPage(int id, QWizardPage* page, const QString& caption, const char* helpTopic);
    void ShowCaptionOf(int id);

    QString m_filePath;
    QString m_fileTitle;
    QString m_fileExtension;
    std::string m_generatedText;

    CnwPageTop* m_top;
    CnwPageNorm1* m_norm1;
    CnwPageNorm2* m_norm2;
    CnwPageSkel* m_skel;
    CnwPageFrame1* m_frame1;
    CnwPageFrame2* m_frame2;

    // Parallel lists, in the order the pages were added.
    std::vector<int> m_pageIds;
    QStringList m_captions;
    std::vector<QByteArray> m_helpTopics;
};
