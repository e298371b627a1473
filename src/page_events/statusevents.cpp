// Status texts, load progress, downloads, the lock state and focus of the page views.
#include "main_window/form1.h"
#include "main_window/mainstatusbar.h"
#include "tab_header/flik.h"

#include <QLabel>

namespace {

// Only the space character is trimmed; tabs and other white space stay.
QString trimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

} // namespace

void Form1::WebBrowser_StatusTextChange(int Index, const QString &Text)
{
    Q_UNUSED(Index);
    screenForWarnings(ContentWarnings::Source::StatusText, Text);
    StatusBar1->setPanel1Text(trimSpaces(Text));
}

void Form1::WebBrowser_ProgressChange(int Index, int Progress, int ProgressMax)
{
    if (PageView *view = WebBrowser(Index); view && Index > 0)
        view->move(0, 0);
    ::flik *header = flik(Index);
    if (!header || Index < 1)
        return;
    float prg = static_cast<float>(Progress);
    float prgmax = static_cast<float>(ProgressMax);
    header->progg(prg, prgmax);
    if (prgmax == 0)
        header->hideprog();
}

void Form1::WebBrowser_DownloadComplete(int Index)
{
    if (::flik *header = flik(Index); header && Index > 0)
        header->hideprog();
    StatusBar1->setPanel2Picture(QPixmap());
}

void Form1::WebBrowser_FileDownload(int Index, bool &Cancel)
{
    Q_UNUSED(Index);
    Q_UNUSED(Cancel);
    StatusBar1->setPanel2Picture(downloadico->pixmap());
}

void Form1::WebBrowser_SetSecureLockIcon(int Index, int SecureLockIcon)
{
    ::flik *header = flik(Index);
    if (!header || Index < 1)
        return;
    if (SecureLockIcon > 0) {
        header->safe();
        return;
    }
    header->unsafe();
    // A lock left in the status bar over a page that is no longer encrypted would be a sign
    // that lies: the active tab's lock goes from panel 2 at once, not at its next activation.
    if (toTabIndex(current) == Index) {
        StatusBar1->setPanel2Picture(QPixmap());
        StatusBar1->setPanel2Text(QString());
    }
}

void Form1::WebBrowser_GotFocus(int Index)
{
    // Focus that moves because a tab is closing is not the user's choice of a page.
    if (!tabs.focusActivates())
        return;
    if (::flik *header = flik(Index); header && Index > 0)
        header->sellect();
}
