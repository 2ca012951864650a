#include "helplib/HelpPage.h"

#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// Characters a URL fragment may carry as they are; "%" stays so that an anchor the
// caller already encoded is not encoded twice.
bool IsFragmentChar(unsigned char c) {
    return IsUnreserved(c) || std::strchr("!$&'()*+,;=:@/?%", c) != nullptr;
}

void AppendEscaped(std::string& out, unsigned char c) {
    static const char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (buffer.size() > (1u << 20))
            return std::string();
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

} // namespace

bool HelpPageOf(const char* location, const char* topic, int command, std::string& path,
                std::string& anchor) {
    if (location == nullptr || *location == '\0')
        return false;
    std::string page;
    anchor.clear();
    switch (command) {
    case 0: {
        if (topic == nullptr || *topic == '\0')
            return false;
        const std::string whole(topic);
        const std::size_t hash = whole.find('#');
        page = whole.substr(0, hash);
        if (hash != std::string::npos)
            anchor = whole.substr(hash + 1);
        break;
    }
    case 1:
        page = kContentsPage;
        break;
    case 2:
        page = kKeywordPage;
        break;
    default:
        return false;
    }
    // A topic of "#anchor" alone names a place in the contents page.
    if (page.empty())
        page = kContentsPage;

    std::string folder(location);
    if (folder.front() != '/') {
        const std::string current = CurrentFolder();
        if (current.empty())
            return false;
        folder = current + "/" + folder;
    }
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    std::size_t first = 0;
    while (first < page.size() && page[first] == '/')
        ++first;
    path = folder + (folder == "/" ? "" : "/") + page.substr(first);
    return true;
}

std::string FileUrl(const std::string& absolutePath, const std::string& anchor) {
    std::string url = "file://";
    for (const char ch : absolutePath) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsUnreserved(c) || c == '/')
            url += ch;
        else
            AppendEscaped(url, c);
    }
    if (!anchor.empty()) {
        url += '#';
        for (const char ch : anchor) {
            const auto c = static_cast<unsigned char>(ch);
            if (IsFragmentChar(c))
                url += ch;
            else
                AppendEscaped(url, c);
        }
    }
    return url;
}
