#pragma once

#include <QString>

#include <string>

// Text typed into a field or a dialog becomes CP932 bytes of the page. A character CP932
// cannot hold is written as an HTML character reference and the user is told which.
std::string EncodeForPage(const QString& text);

// The message that names characters written as character references.
void TellUnrepresentable(const QString& characters);
