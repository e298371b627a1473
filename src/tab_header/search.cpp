// The search tab: its header becomes a search field, Enter sends the text to the search
// service in that tab.
#include "tab_header/search.h"

#include "main_window/form1.h"
#include "tab_header/flik.h"

#include <QAction>
#include <QLineEdit>
#include <QUrl>

QString searchAddress(const QString &serviceBase, const QString &text)
{
    return serviceBase + QStringLiteral("/search?hl=en&q=")
        + QString::fromLatin1(QUrl::toPercentEncoding(text));
}

qint32 ChrCount(
    const QString &strStringToSearch, const QString &strChrToCount, bool blnCaseSensitive)
{
    if (strChrToCount.isEmpty())
        return 0;
    const Qt::CaseSensitivity cs = blnCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qint64 removed = 0;
    qsizetype from = 0;
    while ((from = strStringToSearch.indexOf(strChrToCount, from, cs)) >= 0) {
        removed += strChrToCount.size();
        from += strChrToCount.size();
    }
    return static_cast<qint32>(removed);
}

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
