#pragma once

#include <QObject>
#include <QTimer>

#include <memory>

// Whether the clipboard offers text, known without ever waiting for the program that owns
// it. Asking Qt for the clipboard's content or formats on X11 waits for the owner's answer
// (seconds when it does not answer), and fetching a large content costs a great deal each
// time, so Paste's enabled state cannot ask on every timer tick. This watch asks once per
// change of the clipboard, and on X11 asks the owner for its list of formats itself,
// without waiting: the answer arrives through the event loop, or the owner counts as not
// answering after a while (and is asked again now and then).
class CClipboardWatch : public QObject {
    Q_OBJECT

public:
    enum class State { Asking, Text, NoText, NotAnswering };

    // The program's one watch, made on first use.
    static CClipboardWatch& Instance();

    // True when the clipboard is known to offer text. Never talks to the clipboard.
    bool HasText() const { return m_state == State::Text; }
    State CurrentState() const { return m_state; }

    // How long the owner has to tell its formats before it counts as not answering, and how
    // often a not-answering owner is asked again.
    static constexpr int kAnswerMs = 2000;
    static constexpr int kRetryMs = 5000;

signals:
    void StateChanged();

private:
    CClipboardWatch();
    ~CClipboardWatch() override;
    void Recheck();
    void SetState(State state);

    class CTargetsRequest;
    std::unique_ptr<CTargetsRequest> m_request;
    State m_state = State::NoText;
    QTimer m_retry;
};
