#include "tabs/addressbox.h"

#include "tabs/tab.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>

AddressBox::AddressBox(QComboBox *box)
    : QObject(box)
    , m_box(box)
    , m_field(box->lineEdit())
{
    // The user's own edit alone: text set from here, by the list or by the completer does
    // not emit it.
    connect(m_field, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (AddressInput *typing = input())
            typing->typed = text;
    });
    // The box or its line edit holds the focus, whichever the platform gives it to.
    box->installEventFilter(this);
    m_field->installEventFilter(this);
}

bool AddressBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        // Only the user's own ways there: not the focus the window gives it as it opens.
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::MouseFocusReason:
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            m_userMovedHere = true;
            break;
        default:
            break;
        }
    } else if (event->type() == QEvent::FocusOut) {
        const QWidget *now = QApplication::focusWidget();
        if (now != m_box && now != m_field)
            m_userMovedHere = false;
    }
    return QObject::eventFilter(watched, event);
}

QWidget *AddressBox::widget() const
{
    return m_box;
}

AddressInput *AddressBox::input() const
{
    return m_front ? &m_front->state().addressInput : nullptr;
}

void AddressBox::showTab(Tab *front, const QString &address)
{
    m_front = front;
    const AddressInput *typing = input();
    setShown(typing && typing->typed ? *typing->typed : address);
}

void AddressBox::follow(const QString &address)
{
    const AddressInput *typing = input();
    if (!typing || !typing->typed)
        setShown(address);
}

void AddressBox::entered()
{
    m_userMovedHere = false;
    if (AddressInput *typing = input())
        typing->typed.reset();
}

void AddressBox::takeBack(const QString &address)
{
    entered();
    setShown(address);
    m_field->selectAll();
}

bool AddressBox::inputInProgress() const
{
    const AddressInput *typing = input();
    return (typing && typing->typed) || m_userMovedHere;
}

void AddressBox::setShown(const QString &address)
{
    if (m_field->text() == address)
        return;
    // A page that rewrites its address while the user selects it must not undo their
    // select-all: the next key would be appended to the page's address.
    const bool allSelected = (m_field->hasFocus() || m_box->hasFocus())
        && m_field->hasSelectedText() && m_field->selectedText() == m_field->text();
    m_box->setEditText(address);
    if (allSelected)
        m_field->selectAll();
}
