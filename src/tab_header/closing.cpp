// Closing a tab from its header's close box.
#include "main_window/form1.h"
#include "main_window/mainstatusbar.h"
#include "tab_header/flik.h"

#include <QAction>
#include <QComboBox>

namespace {

// The open tab nearest to a closed index: the one to its left when there is one, else
// the one to its right.
flik *nearestTab(const Form1 &form, int closed)
{
    for (int i = closed - 1; i >= 1; --i)
        if (flik *header = form.flik(i))
            return header;
    for (int i = closed + 1, last = form.flik.ubound(); i <= last; ++i)
        if (flik *header = form.flik(i))
            return header;
    return nullptr;
}

} // namespace

void flik::closer_Click()
{
    const auto me = toTabIndex(myindex);
    if (!me || *me < 1)
        return;
    sellect();

    for (int i = *me, last = form.flik.ubound(); i <= last; ++i) {
        if (flik *header = form.flik(i))
            header->setLeft(header->Left() - Width());
    }

    // The tab to go back to; when it was closed before (or is the template, or this tab),
    // the nearest open tab takes its place, so that a tab stays active while any is open.
    flik *next = nullptr;
    if (const auto previous = toTabIndex(form.lastone);
        previous && *previous >= 1 && *previous != *me)
        next = form.flik(*previous);
    if (!next)
        next = nearestTab(form, *me);
    if (next) {
        next->sellect();
    } else {
        // The last tab closes: no tab is active, and nothing acts on a closed page.
        form.current = 0;
        form.lastone = 0;
        form.address->setEditText(QString());
        form.sc->setChecked(false);
        form.StatusBar1->setPanel2Picture(QPixmap());
        form.StatusBar1->setPanel2Text(QString());
    }

    // This header goes last, and only after its own click handler has returned.
    form.tabs.close(*me);
}
