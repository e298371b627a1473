// The handlers of the window's controls and menus, and its close. The navigation bar's act
// on the page in front at the moment of the event.
#include "tabs/tabs.h"
#include "window/aboutbox.h"
#include "window/addresscontroller.h"
#include "window/form1.h"
#include "window/tabopening.h"
#include "window/warningpanel.h"
#include "window/windowclosing.h"

#include <QAction>
#include <QCloseEvent>

void Form1::closer_Click()
{
    infopanel->hide();
    Form_Resize();
}

void Form1::newflik_Click()
{
    m_opening->open();
}

void Form1::mnutab_Click()
{
    newflik_Click();
}

void Form1::flik_GotFocus(int index)
{
    if (!m_tabs->focusActivates())
        return;
    m_tabs->activate(index);
}

void Form1::address_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    m_address->enter();
    KeyAscii = 0;
}

void Form1::Toolbar1_ButtonClick(const QString &key)
{
    PageView *view = m_tabs->frontPage();
    if (!view)
        return;
    if (key == u"stop")
        view->Stop();
    if (key == u"back")
        view->GoBack();
    if (key == u"forward")
        view->GoForward();
}

void Form1::Toolbar1_ButtonMenuClick(int position)
{
    const int level = static_cast<qint16>(position - 1);
    if (PageView *view = m_tabs->frontPage())
        view->pageActions().setZoomLevel(level);
}

// The settings are the check marks of their menu items and nothing else.
void Form1::ws_Click()
{
    ws->setChecked(!ws->isChecked());
}

void Form1::pp_Click()
{
    pp->setChecked(!pp->isChecked());
}

Form1::Settings Form1::settings() const
{
    return { .warningSigns = ws->isChecked(), .popups = pp->isChecked() };
}

void Form1::vbf_Click()
{
    // Created once and kept; it has no owner window, so the main window stays usable.
    if (!about) {
        about = new AboutBox;
        about->setObjectName(QStringLiteral("about"));
    }
    about->show();
    about->raise();
}

void Form1::sc_Click()
{
    if (const auto index = toTabIndex(m_tabs->current()))
        m_tabs->command(*index, TabCommand::ViewSource);
}

void Form1::mnusearch_Click()
{
    if (m_opening->open())
        m_tabs->command(m_tabs->ubound(), TabCommand::ViewSearch);
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!m_closing->mayClose()) {
        event->ignore();
        return;
    }
    // The about box has no owner window; closing the browser closes it too, so that the
    // program ends with its main window.
    if (about)
        about->close();
    QMainWindow::closeEvent(event);
}
