// Activation from the tab face, the search box and the progress box, and the tab menu.
#include "tab_header/flik.h"
#include "tab_header/headerface.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

void flik::StatusBar1_MouseDown(int Button)
{
    emit pressed();
    if (Button != 2) {
        emit activated(Activation::Full);
        return;
    }
    emit activated(Activation::KeepSourceMark);
    openMenu();
}

void flik::iconi_Click()
{
    emit activated(Activation::PageOnly);
}

void flik::searchicon_GotFocus()
{
    emit activated(Activation::PageOnly);
}

void flik::SearchText_Click()
{
    emit activated(Activation::RaiseOnly);
}

void flik::SearchText_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    // The owner navigates the tab's page, turns the header back into a normal tab and
    // captions it with the page's name.
    emit searchEntered(SearchText->text());
    KeyAscii = 0;
}

void flik::iconi_MouseDown(int Button)
{
    if (Button == 2)
        openMenu();
}

void flik::searchicon_MouseDown(int Button)
{
    if (Button == 2)
        openMenu();
}

void flik::prog_MouseDown(int Button)
{
    if (Button == 2)
        openMenu();
}

void flik::openMenu()
{
    // Modal, at the pointer; the chosen command runs before exec returns. The header may be
    // closed by a command, so nothing of it is touched afterwards.
    QMetaObject::invokeMethod(
        this, [this] { emit menuShown(minimenu); }, Qt::QueuedConnection);
    minimenu->exec(QCursor::pos());
}

bool flik::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == iconi
        && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)) {
        // Taken here, so that the press does not reach the search box frame as well.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (type == QEvent::MouseButtonPress)
            iconi_MouseDown(buttonCode(mouse->button()));
        else if (mouse->button() == Qt::LeftButton
            && iconi->rect().contains(mouse->position().toPoint()))
            iconi_Click();
        return true;
    }
    if (watched == searchicon) {
        if (type == QEvent::MouseButtonPress)
            searchicon_MouseDown(buttonCode(static_cast<QMouseEvent *>(event)->button()));
        else if (type == QEvent::FocusIn)
            searchicon_GotFocus();
    } else if (watched == SearchText) {
        if (type == QEvent::MouseButtonPress
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            SearchText_Click();
        } else if (type == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                int KeyAscii = 13;
                SearchText_KeyPress(KeyAscii);
                return KeyAscii == 0;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
