// The settings are the check marks of their menu items and nothing else; the about box.
#include "main_window/aboutbox.h"
#include "main_window/form1.h"
#include "tab_header/flik.h"

#include <QAction>

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
    if (!about)
        about = new AboutBox;
    about->show();
    about->raise();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The about box has no owner window; closing the browser closes it too, so that the
    // program ends with its main window.
    if (about)
        about->close();
    QMainWindow::closeEvent(event);
}

void Form1::sc_Click()
{
    const auto index = toTabIndex(current);
    if (!index || *index < 1)
        return;
    if (::flik *header = flik(*index))
        header->vs_Click();
}

void Form1::mnusearch_Click()
{
    // When no new tab can be made, the highest tab is not the new one: nothing changes.
    const int before = flik.ubound();
    newflik_Click();
    if (flik.ubound() <= before)
        return;
    if (::flik *header = flik(flik.ubound()))
        header->viewsearch_Click();
}
