// The settings are the check marks of their menu items and nothing else; the about box;
// and the two menu items that act on tabs.
#include "tabs/tabs.h"
#include "window/aboutbox.h"
#include "window/form1.h"

#include <memory>
#include <optional>
#include <QAction>
#include <QCloseEvent>

void Form1::ws_Click()
{
    ws->setChecked(!ws->isChecked());
}

void Form1::pp_Click()
{
    pp->setChecked(!pp->isChecked());
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

void Form1::closeEvent(QCloseEvent *event)
{
    if (!mayClose() || !pagesMayBeLeft()) {
        event->ignore();
        return;
    }
    // The about box has no owner window; closing the browser closes it too, so that the
    // program ends with its main window.
    if (about)
        about->close();
    QMainWindow::closeEvent(event);
}

bool Form1::pagesMayBeLeft()
{
    if (m_pagesLeft)
        return true;
    if (m_askingPages)
        return false;
    // Each page that wants to be asked is, in turn; when one stays, so does the window.
    // Pages that have nothing to ask agree at once, within this call.
    const auto now = std::make_shared<std::optional<bool>>();
    const auto inCall = std::make_shared<bool>(true);
    m_askingPages = true;
    m_tabs->askToLeaveAll([this, now, inCall](bool leave) {
        m_askingPages = false;
        if (*inCall) {
            *now = leave;
            return;
        }
        if (!leave)
            return;
        m_pagesLeft = true;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    });
    // Answers that come later reach the call above as not within it.
    *inCall = false;
    m_askingPages = !now->has_value();
    return now->value_or(false);
}

void Form1::sc_Click()
{
    if (const auto index = toTabIndex(current()))
        m_tabs->viewSource(*index);
}

void Form1::mnusearch_Click()
{
    if (!madeNewTab())
        return;
    m_tabs->viewSearch(m_tabs->ubound());
}

bool Form1::warningSigns() const
{
    return ws->isChecked();
}

bool Form1::popups() const
{
    return pp->isChecked();
}
