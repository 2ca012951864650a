#pragma once

#include <QDialog>
#include <QString>

#include <optional>
#include <string>

class CFirstPaint;
class QGridLayout;
class QPushButton;

// The frame of the link and image dialogs, whose values refer to files of the site: the
// reference path (the edited file, empty while unsaved), a Browse button that gives a
// path relative to it, OK and Cancel, F1 help, and the initial state put in place on the
// first paint. Controls are named by their resource identifiers.
class CReferenceTagDlg : public QDialog {
    Q_OBJECT

public:
    // Set by the view before the dialog is run.
    void SetReferencePath(const QString& path) { m_reference = path; }
    const QString& ReferencePath() const { return m_reference; }

    // OK: the values are taken from the controls (after the first paint's set-up, should
    // OK come before any paint), then the dialog closes.
    void accept() override;

protected:
    CReferenceTagDlg(const QString& title, QWidget* parent);

    // The rows of the dialog go into this grid; OK and Cancel stand to its right.
    QGridLayout* Rows() const { return m_rows; }
    QPushButton* BrowseButton() const { return m_browse; }

    // The Browse button works only with a reference path and while its attribute is on.
    void EnableBrowse(bool attributeOn);
    // Asks for a file starting in the edited file's folder; the chosen path relative to
    // the edited file, or nullopt (cancelled, or another drive, which the user was told).
    std::optional<QString> Browse(const QString& filter, QString* chosenPath = nullptr);

    // A field's text as page bytes. A value that goes into the page tells the user of
    // characters written as references; one kept only for a history does not.
    static std::string FieldBytes(const QString& text, bool written);

    virtual void SetUp() = 0;      // the first paint
    virtual void TakeValues() = 0; // OK: controls into the fields, histories updated

private:
    QString m_reference;
    QGridLayout* m_rows;
    QPushButton* m_browse;
    CFirstPaint* m_firstPaint;
};
