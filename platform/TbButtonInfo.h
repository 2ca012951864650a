#pragma once

// One button of the main tool bar as the frame keeps it: whether it is hidden (1) or
// shown (0), and its command. The settings sheet edits the hidden flags.
class CTbButtonInfo {
public:
    explicit CTbButtonInfo(unsigned commandId) : m_commandId(commandId) {}
    virtual ~CTbButtonInfo() = default;

    int m_hidden = 0;
    unsigned m_commandId;
};
