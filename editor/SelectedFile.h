#pragma once

#include <QString>

#include <string_view>

// The file a relative name selected in the page stands for, read from the folder of the
// page's own file. A name that cannot be a path on this system is told apart, with the
// reason in words for the user.
struct CSelectedFile {
    QString path;    // the full path; empty when the name cannot be a path
    QString problem; // why not, for the user; empty when the name simply names no file
};

CSelectedFile SelectedFilePath(const QString& documentPath, std::string_view selected);
