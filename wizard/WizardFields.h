#pragma once

#include "platform/DialogControls.h"
#include "wizard/SkelItem.h"

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

// What the wizard pages and the skeleton dialogs share in binding their controls.

// Fields' texts as page bytes, taken one at a time. Characters CP932 cannot hold become
// character references; TellUnrepresentable then tells the user once about all of them.
class CPageFieldEncoder {
public:
    std::string operator()(const QString& text);
    void TellUnrepresentable() const;

private:
    QString m_unrepresentable; // each character once, in the order met
};

// Several fields at once, told at the end.
std::vector<std::string> EncodeFieldsForPage(const QStringList& texts);

// A multi-line page text for a multi-line editor (CR LF shown as line breaks), and the
// editor's text back as page bytes with CR LF line ends.
QString PageTextForEditor(std::string_view bytes);
QString EditorTextWithCrLf(QString text);

// Empties the list and appends the titles of the skeletons in list order.
void FillTitleList(QListWidget* list, const CSkelList& skeletons);

// The Browse button beside a file field: asks for a file and writes its path, relative to
// reference, into the field; nothing changes when cancelled or on another drive.
void BrowseIntoField(QLineEdit* field, const QString& reference, const QString& filter);
