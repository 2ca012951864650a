#pragma once

#include <string>

// Which file of the help folder a request shows. Command 0 takes the page part of the
// topic (before its first "#") and keeps the rest as the anchor; 1 is the contents
// page, 2 the keyword index. False for an unknown command or a missing topic.
bool HelpPageOf(const char* location, const char* topic, int command, std::string& path, std::string& anchor);

// "file://" URL of an absolute path, every byte outside the unreserved set and "/"
// percent-encoded (so blanks, "#", "%" and non-ASCII names survive), followed by
// "#anchor" when there is one.
std::string FileUrl(const std::string& absolutePath, const std::string& anchor);

inline constexpr const char* kContentsPage = "index.html";
inline constexpr const char* kKeywordPage = "keyword.html";
