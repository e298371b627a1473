#pragma once

#include <functional>
#include <QObject>
#include <QString>

class AddressBox;
class QComboBox;
class StatusPanels;
class Tabs;

// The address box as the window drives it: the keys typed into it, which its key handler
// sees first, what Enter loads in the page in front, and its list of completed addresses.
// What it shows is its AddressBox's.
class AddressController final : public QObject
{
    Q_OBJECT
public:
    // keyPress: the box's key handler, which may swallow a key by setting it to 0.
    AddressController(QComboBox *box, AddressBox &shown, Tabs &tabs, StatusPanels &panels,
        std::function<void(int &KeyAscii)> keyPress);

    // Enter: what the box holds loads in the page in front; a cut address never does.
    void enter();
    // A completed page's address added to the list; the text typed into the box stays.
    void append(const QString &address);
    // The address the page in front shows now, unless the user is typing in the box.
    void follow(const QString &address);
    // The keyboard given to the box, its text selected.
    void focus();
    // The user is at the box: a tab a page opens now must not take their keys.
    bool inputInProgress() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void takeListed(int index);

    QComboBox *m_box;
    AddressBox &m_shown;
    Tabs &m_tabs;
    StatusPanels &m_panels;
    std::function<void(int &)> m_keyPress;
    qsizetype m_listedCharacters = 0;
    // The whole address of the entry chosen last from the list, which the box may cut.
    QString m_chosenAddress;
};
