#pragma once

#include <QObject>

class QComboBox;

// The address box's text: the address the tab in front shows, as its engine committed it,
// unless the user is typing there. What the user types is theirs until they press Enter or
// Esc, or switch tabs; neither the page moving on nor its completion replaces it.
class AddressBox final : public QObject
{
    Q_OBJECT
public:
    explicit AddressBox(QComboBox *box);

    // The page in front moved on, or completed: shown unless the user is typing.
    void follow(const QString &address);
    // Another tab came in front, or the user took back what they typed (Esc): shown, and
    // what they typed is gone.
    void show(const QString &address);
    // The user pressed Enter: what they typed goes to the page, and the box follows it
    // again.
    void entered() { m_typing = false; }
    bool typing() const { return m_typing; }
    QWidget *widget() const;

private:
    QComboBox *m_box;
    bool m_typing = false;
};
