#pragma once

#include "common/download.h"

#include <QObject>

class QWidget;
class Tabs;

// Whether the window may close now. Downloads under way are cancelled only once the user
// agrees, and every page that wants to be asked whether it may be left is, in turn. Neither
// question waits in a loop of its own: the window is closed again once they are answered.
class WindowClosing final : public QObject
{
    Q_OBJECT
public:
    WindowClosing(QWidget &window, Tabs &tabs, RunningDownloads running);

    // False while a question is being asked; the window's close is to be ignored then.
    bool mayClose();

private:
    bool downloadsMayEnd();
    bool pagesMayBeLeft();

    QWidget &m_window;
    Tabs &m_tabs;
    RunningDownloads m_running;
    // The user agreed to cancel the downloads under way and quit.
    bool m_quitting = false;
    // Every page agreed to be left; the pages are being asked.
    bool m_pagesLeft = false;
    bool m_askingPages = false;
};
