// The status bar's panels and the warning panel, as the page events write them.
#include "main_window/form1.h"
#include "main_window/mainstatusbar.h"
#include "main_window/warningpanel.h"

#include <QLabel>

void Form1::setStatusText(const QString &text)
{
    StatusBar1->setPanel1Text(text);
}

void Form1::showDownloadMark()
{
    StatusBar1->setPanel2Picture(downloadico->pixmap(), tr("Downloads (Ctrl+Shift+Y)"));
}

void Form1::clearPanel2Picture()
{
    StatusBar1->setPanel2Picture(QPixmap());
}

void Form1::clearPanel2()
{
    StatusBar1->setPanel2Picture(QPixmap());
    StatusBar1->setPanel2Text(QString());
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
