// Navigation bar: the address box, back, forward, stop and the zoom menu, each acting on
// the active tab's page view at the moment of the event.
#include "tabs/addressbox.h"
#include "tabs/tabs.h"
#include "window/form1.h"

#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// The address list keeps the newest completed addresses, as many as ordinary use never
// reaches, and no more text than this all told: a page that reloads itself under a long
// address must not grow the browser without end.
constexpr int listedAddresses = 1000;
constexpr qsizetype listedCharacters = 4 * 1024 * 1024;
// An entry shows this much of a long address; the whole one is what it loads.
constexpr qsizetype shownCharacters = 300;

} // namespace

void Form1::address_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    // A box that is full may have cut what was pasted into it: a cut address is never
    // loaded. One chosen from the list is loaded whole.
    const QLineEdit *field = address->lineEdit();
    QString typed = field->text();
    if (typed.size() >= field->maxLength() && m_chosenAddress.startsWith(typed))
        typed = m_chosenAddress;
    if (typed.size() >= field->maxLength() && typed != m_chosenAddress)
        setStatusText(tr("The address is too long for the address box"));
    else if (PageView *view = m_tabs->viewAt(current())) {
        m_addressBox->entered();
        view->Navigate(typed);
    }
    KeyAscii = 0;
}

void Form1::Toolbar1_ButtonClick(const QString &key)
{
    PageView *view = m_tabs->viewAt(current());
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
    if (PageView *view = m_tabs->viewAt(current()))
        view->setZoomLevel(level);
}

void Form1::appendAddress(const QString &url)
{
    // Adding to an empty list would select the entry and replace the typed text.
    const QString text = address->currentText();
    const QString shown = url.size() > shownCharacters ? url.left(shownCharacters) + u'…' : url;
    address->addItem(shown, url);
    m_listedCharacters += url.size();
    while (address->count() > 1
        && (address->count() > listedAddresses || m_listedCharacters > listedCharacters)) {
        m_listedCharacters -= address->itemData(0).toString().size();
        address->removeItem(0);
    }
    if (address->currentText() != text)
        address->setEditText(text);
}

void Form1::takeListedAddress(int index)
{
    // An entry chosen from the list puts its whole address into the box.
    m_chosenAddress = address->itemData(index).toString();
    if (!m_chosenAddress.isEmpty())
        address->setEditText(m_chosenAddress);
}

void Form1::followAddress(const QString &text)
{
    m_addressBox->follow(text);
}

bool Form1::addressInputInProgress() const
{
    return m_addressBox->inputInProgress();
}

void Form1::focusAddress()
{
    address->setFocus(Qt::ShortcutFocusReason);
    address->lineEdit()->selectAll();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == address && addressKey(event))
        return true;
    // The bars shown or hidden (full screen) resize the client area, not the window.
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

// Passes the keys typed into the address box to its handler, which may swallow them.
bool Form1::addressKey(QEvent *event)
{
    // Esc is the box's own: it takes back what was typed, rather than stopping the page.
    if (event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Escape) {
        const PageView *view = m_tabs->viewAt(current());
        m_addressBox->takeBack(view ? view->LocationURL() : QString());
        return true;
    }
    int KeyAscii = 0;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        KeyAscii = 13;
    else if (key->text().size() == 1)
        KeyAscii = key->text().at(0).unicode();
    if (KeyAscii == 0)
        return false;
    address_KeyPress(KeyAscii);
    return KeyAscii == 0;
}
