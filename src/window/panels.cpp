// The status bar's panels and the warning panel, as the page events write them.
#include "tab_header/flik.h"
#include "tabs/tabs.h"
#include "window/form1.h"
#include "window/mainstatusbar.h"
#include "window/warningpanel.h"

#include <QLabel>

void Form1::setStatusText(const QString &text)
{
    StatusBar1->setPanel1Text(text);
}

void Form1::showDownloadMark()
{
    StatusBar1->setPanel2Picture(downloadico->pixmap(), tr("Downloads (Ctrl+Shift+Y)"));
    m_panel2 = Panel2::Downloads;
}

void Form1::clearPanel2()
{
    StatusBar1->setPanel2Picture(QPixmap());
    m_panel2 = Panel2::Empty;
    StatusBar1->setPanel2Text(QString());
}

void Form1::settlePanel2()
{
    if (m_running && !m_running().isEmpty()) {
        showDownloadMark();
        return;
    }
    const ::flik *front = m_tabs->headerAt(current());
    showLock(front && front->lockShown());
}

void Form1::showLock(bool encrypted)
{
    if (!encrypted) {
        clearPanel2();
        return;
    }
    StatusBar1->setPanel2Picture(lock->pixmap());
    StatusBar1->setPanel2Text(tr("Encrypted"));
    m_panel2 = Panel2::Lock;
}

void Form1::showInfopanel(const std::optional<QString> &title, const QString &message)
{
    infopanel->show();
    if (title)
        infopanel->setTitle(*title);
    infopanel->setMessage(message);
}

void Form1::hideInfopanel()
{
    infopanel->hide();
}
