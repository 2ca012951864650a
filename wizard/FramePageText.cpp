#include "wizard/FramePageText.h"

#include "platform/NumberText.h"

#include <algorithm>

namespace {

const std::string& SizeOf(const CFrameInput& frame) {
    static const std::string kAny = "*";
    return frame.size.empty() ? kAny : frame.size;
}

} // namespace

std::string ComposeFramePage(const CFramePageInput& in) {
    const int count = std::clamp(in.count, 2, 4);
    std::string out = "<html><head>\r\n<title>";
    out += in.title;
    out += "</title>\r\n</head>\r\n<frameset ";
    out += in.direction == 1 ? "rows=\"" : "cols=\"";
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out += ',';
        out += SizeOf(in.frames[static_cast<std::size_t>(i)]);
    }
    out += "\">\r\n";
    for (int i = 0; i < count; ++i) {
        const CFrameInput& frame = in.frames[static_cast<std::size_t>(i)];
        out += "\t<frame src=\"";
        out += frame.src;
        out += "\" name=\"";
        out += frame.name;
        out += '"';
        out += frame.options;
        out += ">\r\n";
    }
    out += "\t<noframes>\r\n\t<body>\r\n\t\r\n\t</body>\r\n\t</noframes>\r\n</frameset>\r\n</html>";
    return out;
}

std::string ComposeFrameOptions(const CFrameOptions& o) {
    std::string out;
    if (o.marginHeightOn)
        out += " marginheight=" + std::to_string(LeadingInteger(o.marginHeight));
    if (o.marginWidthOn)
        out += " marginwidth=" + std::to_string(LeadingInteger(o.marginWidth));
    if (o.scrollingOn) {
        out += " scrolling=\"";
        out += o.scrollingIndex == 1 ? "yes" : o.scrollingIndex == 2 ? "no" : "auto";
        out += '"';
    }
    if (o.noResize)
        out += " noresize";
    return out;
}

int FrameCountOf(const std::string& text) {
    return std::clamp(LeadingInteger(text), 2, 4);
}
