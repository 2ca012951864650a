#pragma once

#include <QString>

// The name of the file being edited: its full path (empty while unnamed), its title (name
// without folder and extension), its extension (without the dot) and the path of the
// preview copy ("~" + title + "." + extension in the file's folder).
struct CNamingState {
    QString filePath;
    QString fileTitle;
    QString fileExtension;
    QString previewCopyPath;

    // 無題, extension "html", no path, no preview copy.
    static CNamingState Unnamed();
    // Title and extension from the file name: the extension is what follows its last
    // ".", a name without "." is all title.
    static CNamingState FromPath(const QString& path);

    // title + "." + extension, as the save question and the Save dialog show it.
    QString FileName() const;
    // "<path> - Vuro" after opening, "<path>-Vuro" after saving, "無題 - Vuro" when unnamed.
    QString OpenedCaption() const;
    QString SavedCaption() const;
};
