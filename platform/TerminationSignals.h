#pragma once

#include <QObject>

#include <initializer_list>

class QSocketNotifier;

// Turns termination signals (SIGTERM, SIGHUP) into a Qt signal on the user-interface
// thread. The handler only writes the signal's number into a pipe; the event loop reads
// it and raises Received, where the program can save its work and end cleanly. One
// object at a time; its destruction gives the signals their default action back.
class CTerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit CTerminationSignals(std::initializer_list<int> signalNumbers, QObject* parent = nullptr);
    ~CTerminationSignals() override;

    // False when the pipe or a handler could not be set up (the signals then keep their
    // default action).
    bool Active() const { return m_active; }

signals:
    void Received(int signalNumber);

private:
    void ReadPipe();

    QSocketNotifier* m_notifier = nullptr;
    int m_handled[8] = {};
    int m_handledCount = 0;
    bool m_active = false;
    bool m_ownsPipe = false;
};
