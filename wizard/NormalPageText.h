#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the two pages of a normal page hold, as CP932 bytes, and the page composed from
// it. Values are written exactly as typed: no escaping, no trimming.
struct CNormalPageInput {
    struct Attribute {
        bool on = false;
        std::string value;
    };

    std::string title;
    bool refresh = false;
    std::string refreshSeconds; // read as a leading integer
    std::string refreshUrl;
    bool expires = false;
    std::string expiryDate;
    std::vector<std::string> metaTags; // complete tags, in the order added
    bool javaScript = false;

    Attribute background;
    Attribute bgcolor;
    Attribute text;
    Attribute link;
    Attribute vlink;
    Attribute alink;
    bool centering = false;
};

// The whole page, every line ending with CR LF.
std::string ComposeNormalPage(const CNormalPageInput& input);

// <meta http-equiv="name" content="content"> or <meta name="name" content="content">.
std::string ComposeMetaTag(bool httpEquiv, std::string_view name, std::string_view content);
