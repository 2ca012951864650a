#include "platform/ClipboardWatch.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QSocketNotifier>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#ifdef VURO_HAVE_XCB
#include <xcb/xcb.h>
#endif

// Asks the X clipboard's owner for its formats (the TARGETS conversion) on a connection of
// our own, and hands the answer over when it comes. Nothing here waits for the owner: the
// request is sent, and the event loop reads the reply from the X server when it arrives.
class CClipboardWatch::CTargetsRequest : public QObject {
public:
    using Done = std::function<void(State)>;

#ifdef VURO_HAVE_XCB
    explicit CTargetsRequest(Done done) : m_done(std::move(done)) {
        m_connection = xcb_connect(nullptr, nullptr);
        if (!m_connection || xcb_connection_has_error(m_connection)) {
            Close();
            return;
        }
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
        m_window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        const char* names[] = {"CLIPBOARD",
                               "TARGETS",
                               "VURO_CLIPBOARD_TARGETS",
                               "INCR",
                               "UTF8_STRING",
                               "STRING",
                               "TEXT",
                               "COMPOUND_TEXT",
                               "text/plain",
                               "text/plain;charset=utf-8",
                               "application/x-vuro-cp932"};
        std::vector<xcb_intern_atom_cookie_t> cookies;
        for (const char* name : names)
            cookies.push_back(
                xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name));
        for (std::size_t i = 0; i < cookies.size(); ++i) {
            xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(m_connection, cookies[i], nullptr);
            const xcb_atom_t atom = reply ? reply->atom : XCB_ATOM_NONE;
            std::free(reply);
            if (i == 0)
                m_clipboard = atom;
            else if (i == 1)
                m_targets = atom;
            else if (i == 2)
                m_property = atom;
            else if (i == 3)
                m_incr = atom;
            else
                m_textAtoms.push_back(atom);
        }
        xcb_flush(m_connection);
        m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &CTargetsRequest::ReadEvents);
        m_timeout.setSingleShot(true);
        connect(&m_timeout, &QTimer::timeout, this, [this] { Finish(State::NotAnswering); });
    }

    ~CTargetsRequest() override {
        Close();
    }

    bool Usable() const {
        return m_connection != nullptr;
    }

    void Send() {
        if (!m_connection)
            return;
        // The clipboard changed while an owner was being asked: ask whoever owns it now as
        // soon as that answer is in.
        if (m_pending) {
            m_askAgain = true;
            return;
        }
        m_pending = true;
        xcb_convert_selection(m_connection, m_window, m_clipboard, m_targets, m_property, XCB_CURRENT_TIME);
        xcb_flush(m_connection);
        m_timeout.start(kAnswerMs);
        ReadEvents(); // the reply may already wait in the connection's queue
    }

private:
    void Finish(State state) {
        m_timeout.stop();
        m_pending = false;
        if (m_askAgain) {
            m_askAgain = false;
            Send();
            return;
        }
        m_done(state);
    }

    void Close() {
        delete m_notifier;
        m_notifier = nullptr;
        if (m_connection)
            xcb_disconnect(m_connection);
        m_connection = nullptr;
    }

    void ReadEvents() {
        if (!m_connection)
            return;
        if (xcb_connection_has_error(m_connection)) {
            Close();
            m_askAgain = false;
            Finish(State::NotAnswering);
            return;
        }
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & 0x7f) == XCB_SELECTION_NOTIFY) {
                const auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(event);
                Finish(notify->property == XCB_ATOM_NONE ? State::NoText : ReadTargets());
            }
            std::free(event);
        }
    }

    // The reply comes from the X server itself, which always answers.
    State ReadTargets() {
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(m_connection, 1, m_window, m_property, XCB_ATOM_ANY, 0, 4096);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(m_connection, cookie, nullptr);
        if (!reply)
            return State::NoText;
        State state = State::NoText;
        if (reply->type == m_incr) {
            state = State::Text; // a list too long to send at once: let Paste find out
        } else if (reply->format == 32) {
            const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
            const int count = xcb_get_property_value_length(reply) / 4;
            for (int i = 0; i < count && state == State::NoText; ++i)
                for (const xcb_atom_t text : m_textAtoms)
                    if (text != XCB_ATOM_NONE && atoms[i] == text)
                        state = State::Text;
        }
        std::free(reply);
        return state;
    }

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_window = 0;
    xcb_atom_t m_clipboard = XCB_ATOM_NONE;
    xcb_atom_t m_targets = XCB_ATOM_NONE;
    xcb_atom_t m_property = XCB_ATOM_NONE;
    xcb_atom_t m_incr = XCB_ATOM_NONE;
    std::vector<xcb_atom_t> m_textAtoms;
#else
    explicit CTargetsRequest(Done done) : m_done(std::move(done)) {}
    bool Usable() const {
        return false;
    }
    void Send() {}

private:
#endif
    Done m_done;
    QSocketNotifier* m_notifier = nullptr;
    QTimer m_timeout;
    bool m_pending = false;
    bool m_askAgain = false;
};

CClipboardWatch& CClipboardWatch::Instance() {
    static QPointer<CClipboardWatch> watch;
    if (!watch)
        watch = new CClipboardWatch; // owned by the application object
    return *watch;
}

CClipboardWatch::CClipboardWatch() : QObject(QCoreApplication::instance()) {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        m_request = std::make_unique<CTargetsRequest>([this](State state) {
            SetState(state);
            if (state == State::NotAnswering)
                m_retry.start();
        });
        if (!m_request->Usable())
            m_request.reset();
    }
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &CClipboardWatch::Recheck);
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, [this](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard)
            Recheck();
    });
    // Coming back to the program is a good moment to ask an owner that did not answer again.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s == Qt::ApplicationActive && m_state == State::NotAnswering)
            Recheck();
    });
    Recheck();
}

CClipboardWatch::~CClipboardWatch() = default;

void CClipboardWatch::Recheck() {
    m_retry.stop();
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Our own content, and every platform but X11 (whose formats are known locally), can
    // be looked at directly.
    if (!m_request || clipboard->ownsClipboard()) {
        const QMimeData* mime = clipboard->mimeData();
        SetState(mime && mime->hasText() ? State::Text : State::NoText);
        return;
    }
    if (m_state != State::NotAnswering)
        SetState(State::Asking);
    m_request->Send();
}

void CClipboardWatch::SetState(State state) {
    if (state == m_state)
        return;
    m_state = state;
    emit StateChanged();
}
