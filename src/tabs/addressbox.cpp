#include "tabs/addressbox.h"

#include <QComboBox>
#include <QLineEdit>

AddressBox::AddressBox(QComboBox *box)
    : QObject(box)
    , m_box(box)
{
    // Only the user's edits: setting the text from here does not count.
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [this] { m_typing = true; });
    connect(box, &QComboBox::activated, this, [this] { m_typing = true; });
}

QWidget *AddressBox::widget() const
{
    return m_box;
}

void AddressBox::follow(const QString &address)
{
    if (!m_typing && m_box->currentText() != address)
        m_box->setEditText(address);
}

void AddressBox::show(const QString &address)
{
    m_typing = false;
    m_box->setEditText(address);
}
