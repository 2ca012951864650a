#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>

class QWidget;

// F1 help for a dialog, sheet or wizard: F1 pressed anywhere in the window (whichever
// control has the focus) shows the window's help topic through CHelpBinding and counts
// as handled, also when help is off. One filter per window; it lives as long as the
// window.
class CHelpKeyFilter : public QObject {
public:
    // Gives the topic at the moment F1 is pressed (a sheet answers with its active page's).
    using TopicSource = std::function<QByteArray()>;

    static CHelpKeyFilter* Install(QWidget* window, const char* topic);
    static CHelpKeyFilter* Install(QWidget* window, TopicSource topic);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CHelpKeyFilter(QWidget* window, TopicSource topic);

    QWidget* m_window;
    TopicSource m_topic;
};
