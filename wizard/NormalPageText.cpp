#include "wizard/NormalPageText.h"

#include "platform/NumberText.h"

namespace {

void AppendAttribute(std::string& out, const char* name, const CNormalPageInput::Attribute& attribute) {
    if (!attribute.on)
        return;
    out += ' ';
    out += name;
    out += "=\"";
    out += attribute.value;
    out += '"';
}

} // namespace

std::string ComposeNormalPage(const CNormalPageInput& in) {
    std::string out = "<html><head>\r\n<title>";
    out += in.title;
    out += "</title>\r\n";
    if (in.refresh) {
        out += "<meta http-equiv=\"refresh\" content=\"";
        out += std::to_string(LeadingInteger(in.refreshSeconds));
        if (!in.refreshUrl.empty()) {
            out += ";URL=";
            out += in.refreshUrl;
        }
        out += "\">\r\n";
    }
    if (in.expires) {
        out += "<meta http-equiv=\"expires\" content=\"";
        out += in.expiryDate;
        out += "\">\r\n";
    }
    for (const std::string& tag : in.metaTags) {
        out += tag;
        out += "\r\n";
    }
    if (in.javaScript)
        out += "<script language=\"JavaScript\">\r\n<!--\r\n\r\n//-->\r\n</script>\r\n";
    out += "</head>\r\n<body";
    AppendAttribute(out, "background", in.background);
    AppendAttribute(out, "bgcolor", in.bgcolor);
    AppendAttribute(out, "text", in.text);
    AppendAttribute(out, "link", in.link);
    AppendAttribute(out, "vlink", in.vlink);
    AppendAttribute(out, "alink", in.alink);
    out += ">\r\n";
    out += in.centering ? "<center>\r\n\r\n</center>\r\n" : "\r\n";
    out += "</body></html>\r\n";
    return out;
}

std::string ComposeMetaTag(bool httpEquiv, std::string_view name, std::string_view content) {
    std::string tag = httpEquiv ? "<meta http-equiv=\"" : "<meta name=\"";
    tag += name;
    tag += "\" content=\"";
    tag += content;
    tag += "\">";
    return tag;
}
