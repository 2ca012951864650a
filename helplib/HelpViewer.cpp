#include "helplib/HelpViewer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace {

constexpr const char* kFallbackViewers[] = {"x-www-browser", "sensible-browser", "xdg-open"};

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : text) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The absolute path of a program: a name with "/" is taken as it is, a bare name is
// searched in the folders of $PATH. Empty and relative folders are skipped, so that the
// current folder never supplies a viewer.
std::string FindProgram(const std::string& name) {
    if (name.empty())
        return std::string();
    if (name.find('/') != std::string::npos)
        return name.front() == '/' && IsExecutableFile(name) ? name : std::string();
    const char* path = std::getenv("PATH");
    const std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    for (const std::string& folder : Split(folders, ':')) {
        if (folder.empty() || folder.front() != '/')
            continue;
        const std::string candidate = folder + (folder.back() == '/' ? "" : "/") + name;
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return std::string();
}

std::string ReplaceUrl(const std::string& word, const std::string& url) {
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == 's') {
            out += url;
            ++i;
        } else if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            out += word[i];
        }
    }
    return out;
}

// Starts the program detached: an intermediate child starts it and exits at once, so
// the viewer is never left behind as a zombie of the editor and the editor never waits
// for the browser. A close-on-exec pipe reports whether the exec succeeded. Between
// fork and exec only async-signal-safe calls are made.
bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t middle = fork();
    if (middle < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (middle == 0) {
        close(report[0]);
        const pid_t viewer = fork();
        if (viewer == 0) {
            setsid();
            struct sigaction standard {};
            standard.sa_handler = SIG_DFL;
            sigaction(SIGPIPE, &standard, nullptr);
            sigaction(SIGCHLD, &standard, nullptr);
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            const int devNull = open("/dev/null", O_RDONLY);
            if (devNull >= 0 && devNull != 0) {
                dup2(devNull, 0);
                close(devNull);
            }
            // The browser gets none of the editor's other open files.
            if (report[1] > 3)
                syscall(SYS_close_range, 3u, static_cast<unsigned>(report[1] - 1), 0u);
            syscall(SYS_close_range, static_cast<unsigned>(report[1] + 1), ~0u, 0u);
            execve(argv[0], argv.data(), environ);
            const int error = errno;
            [[maybe_unused]] const ssize_t written = write(report[1], &error, sizeof error);
            _exit(127);
        }
        _exit(viewer < 0 ? 1 : 0);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    do {
        got = read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

} // namespace

bool CHelpViewer::Ready() {
    if (!m_lookedUp) {
        m_lookedUp = true;
        m_failed = !LookUp();
    }
    return !m_failed;
}

bool CHelpViewer::LookUp() {
    if (const char* browser = std::getenv("BROWSER")) {
        for (const std::string& entry : Split(browser, ':')) {
            std::vector<std::string> words;
            for (const std::string& w : Split(entry, ' '))
                if (!w.empty())
                    words.push_back(w);
            if (words.empty())
                continue;
            const std::string program = FindProgram(words.front());
            if (program.empty())
                continue;
            m_program = program;
            m_words.assign(words.begin() + 1, words.end());
            for (const std::string& w : m_words)
                if (w.find("%s") != std::string::npos)
                    m_urlPlaced = true;
            return true;
        }
    }
    for (const char* name : kFallbackViewers) {
        const std::string program = FindProgram(name);
        if (!program.empty()) {
            m_program = program;
            return true;
        }
    }
    return false;
}

bool CHelpViewer::Open(const std::string& url) const {
    if (m_program.empty())
        return false;
    std::vector<std::string> arguments;
    for (const std::string& w : m_words)
        arguments.push_back(ReplaceUrl(w, url));
    if (!m_urlPlaced)
        arguments.push_back(url);
    return StartDetached(m_program, arguments);
}
