#pragma once

// The one document of the editor. It holds no text of its own (the text lives in the
// view's edit control), only the modified flag.
class CWeftpageDoc {
public:
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

private:
    bool m_modified = false;
};
