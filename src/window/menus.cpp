// The window's menus: New, Settings, View and Help, with their designed names.
#include "tabs/tabs.h"
#include "window/form1.h"

#include <QMenu>
#include <QMenuBar>

// A checkable menu item toggles its own mark before its handler runs; the handlers here
// decide the mark themselves, so the item's own toggle is undone first.
static QAction *addCheckItem(
    QMenu *menu, const QString &caption, bool checked, Form1 *form, void (Form1::*handler)())
{
    QAction *item = menu->addAction(caption);
    item->setCheckable(true);
    item->setChecked(checked);
    QObject::connect(item, &QAction::triggered, form, [item, form, handler](bool nowChecked) {
        item->setChecked(!nowChecked);
        (form->*handler)();
    });
    return item;
}

void Form1::buildMenus()
{
    QMenu *mnunew = menuBar()->addMenu(tr("New"));
    // As openTabToType, through the menu item's own handler.
    mnutab = mnunew->addAction(tr("Tab"), this, [this] {
        mnutab_Click();
        focusAddress();
    });
    mnusearch = mnunew->addAction(tr("Search Tab"), this, &Form1::mnusearch_Click);
    mnutab->setObjectName(QStringLiteral("mnutab"));
    mnusearch->setObjectName(QStringLiteral("mnusearch"));

    QMenu *sett = menuBar()->addMenu(tr("Settings"));
    ws = addCheckItem(sett, tr("Warning signs"), true, this, &Form1::ws_Click);
    pp = addCheckItem(sett, tr("Popups"), true, this, &Form1::pp_Click);

    QMenu *vw = menuBar()->addMenu(tr("View"));
    sc = addCheckItem(vw, tr("Source code"), false, this, &Form1::sc_Click);

    QMenu *hp = menuBar()->addMenu(tr("Help"));
    vbf = hp->addAction(tr("About"), this, &Form1::vbf_Click);
    vbf->setObjectName(QStringLiteral("vbf"));
    ws->setObjectName(QStringLiteral("ws"));
    pp->setObjectName(QStringLiteral("pp"));
    sc->setObjectName(QStringLiteral("sc"));
    // A page's dialog that waits is answered before a menu command runs: while it waits,
    // the engine does nothing for any tab.
    for (QMenu *menu : { mnunew, sett, vw, hp }) {
        connect(menu, &QMenu::aboutToShow, this, [this] {
            if (PageView *view = m_tabs->viewAt(m_tabs->current()))
                view->dismissDialogs();
        });
    }
}
