#pragma once

#include <array>
#include <string>

// What the two frame pages hold, as CP932 bytes, and the frameset page composed from it.
struct CFrameInput {
    std::string size; // empty: "*"
    std::string src;
    std::string name;
    std::string options; // " marginheight=5 noresize" and the like, from the FRAME settings
};

struct CFramePageInput {
    std::string title;
    int direction = 0; // 0 horizontal (cols), 1 vertical (rows)
    int count = 2;     // 2 to 4
    std::array<CFrameInput, 4> frames;
};

// The frameset page: CR LF line ends, TAB indents, no line end after "</html>". Frames
// beyond the count are not written.
std::string ComposeFramePage(const CFramePageInput& input);

// The FRAME settings, as their dialog holds them.
struct CFrameOptions {
    bool marginHeightOn = false;
    std::string marginHeight; // read as a leading integer
    bool marginWidthOn = false;
    std::string marginWidth;
    bool scrollingOn = false;
    int scrollingIndex = 0; // 0 auto, 1 yes, 2 no
    bool noResize = false;
};

// The attributes for a frame tag, each with a leading blank; empty when none is on.
std::string ComposeFrameOptions(const CFrameOptions& options);

// The frame count typed on the first page, held within 2 to 4.
int FrameCountOf(const std::string& text);
