#include "window/addresscontroller.h"

#include "tabs/addressbox.h"
#include "tabs/tabs.h"
#include "window/statuspanels.h"

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

AddressController::AddressController(QComboBox *box, AddressBox &shown, Tabs &tabs,
    StatusPanels &panels, std::function<void(int &KeyAscii)> keyPress)
    : QObject(box)
    , m_box(box)
    , m_shown(shown)
    , m_tabs(tabs)
    , m_panels(panels)
    , m_keyPress(std::move(keyPress))
{
    // The box has the keyboard focus and hands keys to its line edit directly, past any
    // filter on the line edit: the box itself is watched.
    box->installEventFilter(this);
    connect(box, &QComboBox::activated, this, &AddressController::takeListed);
    box->completer()->setCompletionRole(Qt::UserRole);
}

void AddressController::enter()
{
    // A box that is full may have cut what was pasted into it: a cut address is never
    // loaded. One chosen from the list is loaded whole.
    const QLineEdit *field = m_box->lineEdit();
    QString typed = field->text();
    if (typed.size() >= field->maxLength() && m_chosenAddress.startsWith(typed))
        typed = m_chosenAddress;
    if (typed.size() >= field->maxLength() && typed != m_chosenAddress)
        m_panels.setStatusText(tr("The address is too long for the address box"));
    else if (PageView *view = m_tabs.frontPage()) {
        m_shown.entered();
        view->Navigate(typed);
    }
}

void AddressController::append(const QString &address)
{
    // Adding to an empty list would select the entry and replace the typed text.
    const QString text = m_box->currentText();
    const QString shown
        = address.size() > shownCharacters ? address.left(shownCharacters) + u'…' : address;
    m_box->addItem(shown, address);
    m_listedCharacters += address.size();
    while (m_box->count() > 1
        && (m_box->count() > listedAddresses || m_listedCharacters > listedCharacters)) {
        m_listedCharacters -= m_box->itemData(0).toString().size();
        m_box->removeItem(0);
    }
    if (m_box->currentText() != text)
        m_box->setEditText(text);
}

void AddressController::takeListed(int index)
{
    // An entry chosen from the list puts its whole address into the box.
    m_chosenAddress = m_box->itemData(index).toString();
    if (!m_chosenAddress.isEmpty())
        m_box->setEditText(m_chosenAddress);
}

void AddressController::follow(const QString &address)
{
    m_shown.follow(address);
}

bool AddressController::inputInProgress() const
{
    return m_shown.inputInProgress();
}

void AddressController::focus()
{
    m_box->setFocus(Qt::ShortcutFocusReason);
    m_box->lineEdit()->selectAll();
}

// Passes the keys typed into the box to its handler, which may swallow them.
bool AddressController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box)
        return false;
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
        const PageView *view = m_tabs.frontPage();
        m_shown.takeBack(view ? view->LocationURL() : QString());
        return true;
    }
    int KeyAscii = 0;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        KeyAscii = 13;
    else if (key->text().size() == 1)
        KeyAscii = key->text().at(0).unicode();
    if (KeyAscii == 0)
        return false;
    m_keyPress(KeyAscii);
    return KeyAscii == 0;
}
