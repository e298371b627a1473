#pragma once

#include <optional>
#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QLineEdit;
class Tab;

// What the user has typed over one tab's address, if anything: shown instead of the page's
// address while set. Only the user's own edit of the text sets it (keys, a paste, an input
// method); Enter and Esc end it. Kept per tab, so that a switch away and back loses nothing.
struct AddressInput
{
    std::optional<QString> typed;
};

// The address box's text: the address the tab in front shows, as its engine committed it,
// unless the user has input in progress there. The combo box's own signals (its list, its
// completer, the choice it makes by itself when the focus leaves) never count as typing.
class AddressBox final : public QObject
{
    Q_OBJECT
public:
    explicit AddressBox(QComboBox *box);

    // The tab now in front, whose input the user's edits are: what it has typed, else the
    // address it shows. None (the hidden template) shows the address given.
    void showTab(Tab *front, const QString &address);
    // The page in front moved on, or completed: shown unless the user has input in
    // progress. While the box has the focus, a select-all stays one.
    void follow(const QString &address);
    // The user pressed Enter: what they typed goes to the page, and the box follows it again.
    void entered();
    // The user took back what they typed (Esc): the page's address, all of it selected.
    void takeBack(const QString &address);
    // The user is at the box: typing over the tab in front, or having moved the keyboard
    // there (a click, Tab, a shortcut) and not yet pressed Enter or Esc.
    bool inputInProgress() const;
    QWidget *widget() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AddressInput *input() const;
    void setShown(const QString &address);

    QComboBox *m_box;
    QLineEdit *m_field;
    QPointer<Tab> m_front;
    bool m_userMovedHere = false;
};
