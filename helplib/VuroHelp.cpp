#include "helplib/VuroHelp.h"

#include "helplib/HelpPage.h"
#include "helplib/HelpViewer.h"

#include <unistd.h>

namespace {

// The library's only state: the viewer found on the first request (or the failure).
CHelpViewer& Viewer() {
    static CHelpViewer viewer;
    return viewer;
}

} // namespace

int32_t IsSupportCmh(void) {
    return 0;
}

int32_t ShowHelp(const char* location, const char* topic, int32_t command) {
    try {
        if (!Viewer().Ready())
            return 0;
        std::string path;
        std::string anchor;
        if (!HelpPageOf(location, topic, command, path, anchor))
            return 0;
        // A page that is not there is not shown; the browser would only report it.
        if (access(path.c_str(), R_OK) != 0)
            return 0;
        return Viewer().Open(FileUrl(path, anchor)) ? 1 : 0;
    } catch (...) {
        // Nothing may escape into the caller, which knows only C.
        return 0;
    }
}
