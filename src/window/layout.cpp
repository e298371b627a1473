// Window layout: the view area between the bars, every view sized to it, the close box.
#include "common/twips.h"
#include "tabs/tabs.h"
#include "window/coolbar.h"
#include "window/form1.h"
#include "window/warningpanel.h"

void Form1::Form_Resize()
{
    // The toolkit gives the real client area between the menu bar and the status bar, so
    // the view area takes exactly what the rebar and a shown warning panel leave of it.
    QWidget *client = centralWidget();
    const int clientWidth = client->width();
    CoolBar1->setGeometry(0, 0, clientWidth, CoolBar1->height());
    // A page shown full screen hides the rebar.
    double top = CoolBar1->isVisibleTo(this) ? Twips::fromPixels(CoolBar1->height()) : 0;
    if (!infopanel->isHidden()) {
        infopanel->setGeometry(0, Twips::toPixels(top), clientWidth, infopanel->height());
        top += WarningPanel::designHeight;
        infopanel->setCloserLeft(Twips::fromPixels(width()) - WarningPanel::closerWidth() - 200);
    }
    const double height = Twips::fromPixels(client->height()) - top;
    // A window shorter than its bars keeps the last height that fitted.
    if (height >= 0)
        m_containerHeight = height;
    container->setGeometry(
        0, Twips::toPixels(top), clientWidth, Twips::toPixels(m_containerHeight));

    m_tabs->resizeViews(container->size());
}

void Form1::closer_Click()
{
    infopanel->hide();
    Form_Resize();
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}
