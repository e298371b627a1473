// Navigation bar: the address box, back, forward, stop and the zoom menu, each acting on
// the active tab's page view at the moment of the event.
#include "main_window/form1.h"

#include <QComboBox>

void Form1::address_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    if (PageView *view = viewAt(current))
        view->Navigate(address->currentText());
    KeyAscii = 0;
}

void Form1::Toolbar1_ButtonClick(const QString &key)
{
    PageView *view = viewAt(current);
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
    if (PageView *view = viewAt(current))
        view->setZoomLevel(level);
}
