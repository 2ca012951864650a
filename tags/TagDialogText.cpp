#include "tags/TagDialogText.h"

namespace {

using Form = CAttributeForm;

const std::vector<std::string> kAlign{"left", "center", "right"};
const std::vector<std::string> kValign{"top", "middle", "bottom"};

// The rule and paragraph dialogs write "right" for any position but the first two; the
// table dialogs fall back to the middle entry.
constexpr int kLastEntry = 2;
constexpr int kMiddleEntry = 1;

CAttributeSpec Number(std::string name, QString caption, int buttonId, int fieldId, int spinId,
                      CNumberRange range, std::string text) {
    CAttributeSpec row;
    row.name = std::move(name);
    row.caption = std::move(caption);
    row.form = Form::Number;
    row.buttonId = buttonId;
    row.valueId = fieldId;
    row.spinId = spinId;
    row.range = range;
    row.initialText = std::move(text);
    return row;
}

CAttributeSpec NumberOrPercent(std::string name, QString caption, int buttonId, int fieldId, int spinId,
                               int percentId, std::string text, bool percentOn) {
    CAttributeSpec row = Number(std::move(name), std::move(caption), buttonId, fieldId, spinId,
                                percentOn ? kPercentRange : kPixelRange, std::move(text));
    row.form = Form::NumberOrPercent;
    row.percentId = percentId;
    row.percentInitiallyOn = percentOn;
    return row;
}

CAttributeSpec Text(std::string name, QString caption, int buttonId, int fieldId, std::string text) {
    CAttributeSpec row;
    row.name = std::move(name);
    row.caption = std::move(caption);
    row.form = Form::Text;
    row.buttonId = buttonId;
    row.valueId = fieldId;
    row.initialText = std::move(text);
    return row;
}

CAttributeSpec Choice(std::string name, QString caption, int buttonId, int listId,
                      std::vector<std::string> words, int initial, int fallback) {
    CAttributeSpec row;
    row.name = std::move(name);
    row.caption = std::move(caption);
    row.form = Form::Choice;
    row.buttonId = buttonId;
    row.valueId = listId;
    row.choices = std::move(words);
    row.initialChoice = initial;
    row.fallbackChoice = fallback;
    return row;
}

CAttributeSpec Bare(std::string name, QString caption, int buttonId) {
    CAttributeSpec row;
    row.name = std::move(name);
    row.caption = std::move(caption);
    row.form = Form::Bare;
    row.buttonId = buttonId;
    return row;
}

CAttributeSpec On(CAttributeSpec row) {
    row.initiallyOn = true;
    return row;
}

CAttributeSpec Editable(CAttributeSpec row) {
    row.editableList = true;
    return row;
}

CAttributeSpec Clamped(CAttributeSpec row, CNumberRange range) {
    row.clamp = range;
    return row;
}

CTagForm MakeFontForm() {
    CTagForm form{"font", QStringLiteral("<FONT>タグの挿入"), {}, {"color", "size"}, true};
    form.rows = {
        Text("color", QStringLiteral("&color="), 1069, 1071, "#"),
        Clamped(Number("size", QStringLiteral("&size="), 1070, 1072, 1073, {1, 7}, "4"), {1, 7}),
    };
    return form;
}

CTagForm MakeRuleForm() {
    CTagForm form{"hr", QStringLiteral("<HR>タグの挿入"), {}, {"width", "align", "size", "noshade"}};
    form.rows = {
        On(NumberOrPercent("width", QStringLiteral("&width="), 1011, 1006, 1016, 1017, "80", true)),
        Number("size", QStringLiteral("&size="), 1171, 1173, 1174, {1, 20}, "5"),
        Choice("align", QStringLiteral("&align="), 1024, 1034, kAlign, 1, kLastEntry),
        Bare("noshade", QStringLiteral("&noshade"), 1170),
    };
    return form;
}

CTagForm MakeParagraphForm() {
    CTagForm form{"p", QStringLiteral("<P>タグの挿入"), {}, {"align"}};
    form.rows = {On(Choice("align", QStringLiteral("&align="), 1024, 1034, kAlign, 1, kLastEntry))};
    return form;
}

CTagForm MakeOrderedListForm() {
    CTagForm form{"ol", QStringLiteral("<OL>タグの挿入"), {}, {"type", "start"}};
    form.rows = {
        Choice("type", QStringLiteral("&type="), 1182, 1184, {"A", "a", "I", "i", "1"}, 3, 4),
        Number("start", QStringLiteral("&start="), 1183, 1185, 1186, {0, 20}, "1"),
    };
    return form;
}

CTagForm MakeTableForm() {
    CTagForm form{"table",
                  QStringLiteral("<TABLE>タグの挿入"),
                  {},
                  {"align", "width", "height", "border", "bgcolor", "cellpadding", "cellspacing"}};
    form.rows = {
        NumberOrPercent("width", QStringLiteral("&width="), 1011, 1006, 1016, 1040, "500", false),
        NumberOrPercent("height", QStringLiteral("&height="), 1012, 1007, 1019, 1041, "500", false),
        Number("border", QStringLiteral("&border="), 1013, 1008, 1014, {0, 10}, "0"),
        Text("bgcolor", QStringLiteral("bg&color="), 1023, 1030, "#"),
        Choice("align", QStringLiteral("&align="), 1024, 1034, kAlign, 1, kMiddleEntry),
        Number("cellpadding", QStringLiteral("cell&padding="), 1025, 1031, 1038, {0, 100}, ""),
        Number("cellspacing", QStringLiteral("cell&spacing="), 1026, 1032, 1039, {0, 100}, ""),
    };
    return form;
}

CTagForm MakeRowForm() {
    CTagForm form{"tr", QStringLiteral("<TR>タグの挿入"), {}, {"align", "valign"}};
    form.rows = {
        Choice("align", QStringLiteral("&align="), 1024, 1034, kAlign, 1, kMiddleEntry),
        Choice("valign", QStringLiteral("&valign="), 1047, 1052, kValign, 1, kMiddleEntry),
    };
    return form;
}

CTagForm MakeCellForm() {
    CTagForm form{"td",
                  QStringLiteral("<TD>タグの挿入"),
                  {},
                  {"align", "valign", "width", "height", "bgcolor", "colspan", "rowspan", "nowrap"}};
    form.rows = {
        Editable(Choice("align", QStringLiteral("&align="), 1024, 1034, kAlign, 1, kMiddleEntry)),
        Editable(Choice("valign", QStringLiteral("&valign="), 1047, 1052, kValign, 1, kMiddleEntry)),
        Text("bgcolor", QStringLiteral("&bgcolor="), 1023, 1030, "#"),
        NumberOrPercent("width", QStringLiteral("&width="), 1011, 1006, 1016, 1040, "100", true),
        NumberOrPercent("height", QStringLiteral("&height="), 1012, 1007, 1019, 1059, "100", true),
        Number("colspan", QStringLiteral("&colspan="), 1048, 1056, 1062, {1, 10}, "2"),
        Number("rowspan", QStringLiteral("&rowspan="), 1049, 1057, 1063, {1, 10}, "2"),
        Bare("nowrap", QStringLiteral("&nowrap"), 1050),
    };
    return form;
}

} // namespace

const CTagForm& FontTagForm() {
    static const CTagForm form = MakeFontForm();
    return form;
}

const CTagForm& RuleTagForm() {
    static const CTagForm form = MakeRuleForm();
    return form;
}

const CTagForm& ParagraphTagForm() {
    static const CTagForm form = MakeParagraphForm();
    return form;
}

const CTagForm& OrderedListTagForm() {
    static const CTagForm form = MakeOrderedListForm();
    return form;
}

const CTagForm& TableTagForm() {
    static const CTagForm form = MakeTableForm();
    return form;
}

const CTagForm& RowTagForm() {
    static const CTagForm form = MakeRowForm();
    return form;
}

const CTagForm& CellTagForm() {
    static const CTagForm form = MakeCellForm();
    return form;
}

std::string CommentText(std::string_view typed) {
    std::string text = "<!-- ";
    text.reserve(typed.size() + 10);
    // CP932 trail bytes are never CR or LF, so line breaks can be found byte by byte.
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c == '\r' || c == '\n') {
            text += "\r\n";
            if (c == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n')
                ++i;
        } else {
            text += c;
        }
    }
    text += " -->";
    return text;
}
