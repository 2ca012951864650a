#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};

// Only async-signal-safe calls: one write, errno kept for the interrupted code.
void OnSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

CTerminationSignals::CTerminationSignals(std::initializer_list<int> signalNumbers, QObject* parent)
    : QObject(parent) {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_ownsPipe = true;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CTerminationSignals::ReadPipe);
    for (const int number : signalNumbers) {
        if (m_handledCount == static_cast<int>(std::size(m_handled)))
            break;
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        if (::sigaction(number, &action, nullptr) == 0)
            m_handled[m_handledCount++] = number;
    }
    m_active = m_handledCount > 0;
}

CTerminationSignals::~CTerminationSignals() {
    for (int i = 0; i < m_handledCount; ++i)
        std::signal(m_handled[i], SIG_DFL);
    if (m_ownsPipe) {
        delete m_notifier;
        ::close(g_pipe[0]);
        ::close(g_pipe[1]);
        g_pipe[0] = g_pipe[1] = -1;
    }
}

void CTerminationSignals::ReadPipe() {
    unsigned char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1)
        emit Received(byte);
}
