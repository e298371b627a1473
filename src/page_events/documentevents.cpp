// A page's title, and a completed document taken into the rest of the browser.
#include "hosted/sourceeditor.h"
#include "main_window/form1.h"
#include "tab_header/flik.h"

#include <QComboBox>

void Form1::WebBrowser_TitleChange(int Index, const QString &Text)
{
    Q_UNUSED(Index);
    screenForWarnings(ContentWarnings::Source::Title, Text);
}

void Form1::WebBrowser_DocumentComplete(int Index, const QString &URL)
{
    Q_UNUSED(URL); // the view's own address is read instead, as for every frame's event
    PageView *view = WebBrowser(Index);
    if (!view || Index < 1)
        return;
    ::flik *header = flik(Index);
    if (const QString location = view->LocationURL(); !location.isEmpty()) {
        // Adding to an empty list would select the entry and replace the typed text.
        const QString text = address->currentText();
        address->addItem(location);
        if (address->currentText() != text)
            address->setEditText(text);
    }
    if (header)
        header->Caption(view->LocationName());
    if (toTabIndex(current) == Index)
        address->setEditText(view->LocationURL());
    if (header) {
        header->hideprog();
        if (!m_loadingBehind.erase(Index))
            header->sellect();
    }
    if (SourceEditor *editor = Codetext(Index)) {
        if (const auto body = view->bodyInnerHtml())
            editor->setText(*body);
    }
    view->move(0, 0);
    screenForWarnings(ContentWarnings::Source::Address, view->LocationURL());
}
