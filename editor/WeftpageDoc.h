#pragma once

#include <functional>
#include <utility>

// The one document of the editor. It holds no text of its own (the text lives in the
// view's edit control), only the modified flag.
class CWeftpageDoc {
public:
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) {
        m_modified = modified;
        if (m_onModified)
            m_onModified(modified);
    }
    // Told of every setting of the flag, also when it does not change (each edit sets it),
    // so that the recovery copy follows the text.
    void SetModifiedObserver(std::function<void(bool)> observer) { m_onModified = std::move(observer); }

private:
    bool m_modified = false;
    std::function<void(bool)> m_onModified;
};
