#include "tags/TagText.h"

#include "platform/NumberText.h"
#include "resources/CommandIds.h"
#include "tags/OpeningTag.h"
#include "tags/TagForm.h"

#include <algorithm>

namespace {

using namespace Cmd;

constexpr std::optional<std::size_t> kAfter = std::nullopt;

// The plain font tag keeps the caret before ">" whether text is selected or not, as the
// plain link does: the command is there to type the font's attributes.
constexpr CPlainTag kPlainTags[] = {
    {kTagBr, "<br>", "", false, kAfter},
    {kTagBrNewLine, "<br>\r\n", "", false, kAfter},
    {kTagLink, "<a >", "</a>", true, 3},
    {kTagImage, "<img >", "", false, 5},
    {kTagCenter, "<center>\r\n", "\r\n</center>\r\n", true, kAfter},
    {kTagRule, "<hr>", "", false, kAfter},
    {kTagFont, "<font >", "</font>", true, 6},
    {kTagComment, "<!-- ", " -->", true, kAfter},
    {kTagParagraph, "<p>", "</p>", true, kAfter},
    {kTagBold, "<b>", "</b>", true, kAfter},
    {kTagItalic, "<i>", "</i>", true, kAfter},
    {kTagBlockquote, "<blockquote>", "</blockquote>", true, kAfter},
    {kTagUnorderedList, "<ul>", "</ul>", true, kAfter},
    {kTagOrderedList, "<ol>", "</ol>", true, kAfter},
    {kTagListItem, "<li>", "", false, kAfter},
    {kTagTable, "<table>", "</table>", true, kAfter},
    {kTagRow, "<tr>\r\n", "\r\n</tr>", true, kAfter},
    {kTagCell, "<td>", "</td>", true, kAfter},
};

} // namespace

std::span<const CPlainTag> PlainTags() {
    return kPlainTags;
}

const CPlainTag* FindPlainTag(int command) {
    const auto* found = std::find_if(std::begin(kPlainTags), std::end(kPlainTags),
                                     [command](const CPlainTag& tag) { return tag.command == command; });
    return found == std::end(kPlainTags) ? nullptr : found;
}

std::string LinkTag(const CLinkFields& fields) {
    COpeningTag tag("a");
    if (fields.hrefOn)
        tag.Quoted("href", fields.href);
    if (fields.nameOn)
        tag.Quoted("name", fields.name);
    if (fields.targetOn)
        tag.Quoted("target", fields.target);
    return tag.Text();
}

std::string ImageTag(const CImageFields& fields) {
    COpeningTag tag("img");
    tag.Quoted("src", fields.src);
    if (fields.widthOn)
        tag.Number("width", LeadingInteger(fields.width));
    if (fields.heightOn)
        tag.Number("height", LeadingInteger(fields.height));
    if (fields.borderOn)
        tag.Number("border", LeadingInteger(fields.border));
    if (fields.altOn)
        tag.Quoted("alt", fields.alt);
    if (fields.alignOn)
        tag.Quoted("align", ListWord(kAlignWords, fields.alignPosition, kAlignFallback));
    return tag.Text();
}
