// The search tab: its header becomes a search field, Enter sends the text to the search
// service in that tab.
#include "main_window/form1.h"
#include "tab_header/flik.h"
#include "tab_header/search.h"

#include <QAction>
#include <QLineEdit>

void flik::viewsearch_Click()
{
    if (viewsearch->isChecked()) {
        searchicon->hide();
        viewsearch->setChecked(false);
        PageView *view = form.viewAt(myindex);
        Caption(view ? view->LocationName() : QString());
    } else {
        searchicon->show();
        searchicon->raise();
        Caption(tr("Search"));
        viewsearch->setChecked(true);
    }
}

void flik::SearchText_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    PageView *view = form.viewAt(myindex);
    if (view)
        view->Navigate(searchAddress(form.addresses().searchService, SearchText->text()));
    KeyAscii = 0;
    searchicon->hide();
    viewsearch->setChecked(false);
    Caption(view ? view->LocationName() : QString());
}
