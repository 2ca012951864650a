#pragma once

#include <string>
#include <vector>

// The program that shows help pages: the desktop's web browser. It is looked up once,
// on the first request, and kept; once that look-up has failed every later request
// fails at once without looking again.
//
// Look-up order: each entry of $BROWSER (":"-separated; an entry is a program and its
// arguments separated by blanks, "%s" standing for the URL), then x-www-browser,
// sensible-browser and, last, xdg-open, each searched on $PATH. xdg-open comes last
// because it drops the "#anchor" of file URLs when no desktop is detected.
class CHelpViewer {
public:
    // Looks the viewer up on the first call; false once the look-up has failed.
    bool Ready();
    // Starts the viewer on the URL, detached from this process; true when it started.
    bool Open(const std::string& url) const;

private:
    bool LookUp();

    bool m_lookedUp = false;
    bool m_failed = false;
    std::string m_program;            // absolute path of the viewer
    std::vector<std::string> m_words; // its arguments, "%s" where the URL goes
    bool m_urlPlaced = false;         // some word holds "%s"; otherwise the URL is appended
};
