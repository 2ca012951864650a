#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

#include <unistd.h>

// Permission checks do not stop root, and the tests run as root in CI. A test that needs an
// ordinary user's view runs one test of this same program again as the user nobody
// (uid and gid 65534, no other groups): the parent prepares files, the child acts and
// asserts, and the parent reads the child's verdict.
namespace Unprivileged {

constexpr uid_t kNobody = 65534;
constexpr const char* kChildVariable = "VURO_UNPRIVILEGED_CHILD";

// True in the child; the child's test reads the work folder from here.
inline QString ChildFolder() {
    return qEnvironmentVariable(kChildVariable);
}

// Runs test (a full gtest name) of this program as nobody with folder as its work
// folder (which, like every folder above it, nobody must be able to enter); returns the
// child's output when it failed, or an empty string when it passed.
inline std::string Run(const QString& test, const QString& folder) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildVariable), folder);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    QStringList arguments{QStringLiteral("--gtest_filter=") + test};
    if (::geteuid() == 0) {
        arguments.prepend(QCoreApplication::applicationFilePath());
        arguments = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                QStringLiteral("--clear-groups")} +
                    arguments;
        child.start(QStringLiteral("setpriv"), arguments);
    } else {
        child.start(QCoreApplication::applicationFilePath(), arguments);
    }
    if (!child.waitForFinished(120000))
        return "the child did not finish";
    const QString output = QString::fromLocal8Bit(child.readAll());
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return output.toStdString();
    // A filter that matched nothing would pass silently.
    if (!output.contains(QStringLiteral("[  PASSED  ] 1 test")))
        return "the child ran no test:\n" + output.toStdString();
    return {};
}

} // namespace Unprivileged

// The first line of a test that only the parent's Run may start.
#define VURO_CHILD_ONLY()                                                                                    \
    if (Unprivileged::ChildFolder().isEmpty())                                                               \
    GTEST_SKIP() << "run by its parent test as an unprivileged user"
