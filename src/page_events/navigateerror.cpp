// A failed navigation, reported on the shared warning panel.
#include "main_window/form1.h"
#include "main_window/warningpanel.h"

void Form1::WebBrowser_NavigateError(int Index, const QString &URL, int StatusCode)
{
    Q_UNUSED(URL);
    Q_UNUSED(StatusCode);
    PageView *view = WebBrowser(Index);
    if (!view || Index < 1)
        return;
    m_loadingBehind.erase(Index); // its first page will not complete
    if (!view->LocationName().isEmpty()) {
        infopanel->show();
        infopanel->setTitle(tr("An error accured"));
        infopanel->setMessage(
            tr("The Page could not be found or an error in source code of HTML."));
    } else {
        infopanel->hide();
    }
    Form_Resize();
}
