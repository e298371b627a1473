#pragma once

#include "common/pageview.h"

#include <functional>
#include <QObject>
#include <QPixmap>
#include <QStringList>

class Form1;
class MainStatusBar;
class QAction;
class QComboBox;
class QLineEdit;
class SourceEditor;
class TabStrip;
class Tabs;
class WarningPanel;
class flik;

// A named part of a tab header (see WindowDriver::headerPart).
template <typename T = QWidget> T *part(const QObject *header, const char *name)
{
    return header ? header->findChild<T *>(QLatin1String(name)) : nullptr;
}

// Between the window tests and the window: what a test reads of the window and does to it,
// by what a person sees and does, so that the tests name none of the window's controls. The
// controls it does hand out are found by their designed names.
class WindowDriver
{
public:
    explicit WindowDriver(Form1 *form = nullptr)
        : window(form)
    { }

    Form1 *window;

    Tabs &tabs() const;

    // The active tab and the one active before it (`current` and `lastone`, rounded).
    int activeTab() const;
    int previousTab() const;
    // The highest tab index (0 with none open), and how many tabs are open.
    int highestTab() const;
    int tabCount() const;
    // The open tabs' indices, ascending.
    QList<int> openTabs() const;
    // A tab's elements; nullptr for an index that names none.
    ::flik *header(int index) const;
    PageView *page(int index) const;
    SourceEditor *source(int index) const;
    // The text on a tab's face; empty for an index that names none.
    QString caption(int index) const;
    // A named part of a tab's header: "StatusBar1" (its face), "closer", "SearchText",
    // "searchicon", "iconi", "prog", "secure", "minimenu".
    template <typename T = QWidget> T *headerPart(int index, const char *name) const
    {
        return qobject_cast<T *>(headerObject(index, name));
    }

    // A new tab as the + button opens it; its index.
    int openTab();
    // The tab activated as sellect does.
    void activate(int index);
    // A click on the tab's close box; its elements go once the click is handled.
    void clickClose(int index) const;
    // The tab closed as its close box does, its elements gone.
    void closeTab(int index);

    // The window's controls by their designed names ("address", "StatusBar1", "infopanel",
    // "container", "Picture1", "newflik", "zoom", ...) and its menu items ("ws", "pp", "sc",
    // "mnutab", "mnusearch", "vbf").
    template <typename T = QWidget> T *control(const char *name) const
    {
        return qobject_cast<T *>(windowObject(name));
    }
    QAction *menuItem(const char *name) const;
    // The window's button or menu item of that designed name chosen, as a click does:
    // "back", "forward", "stop", "zoom", "newflik", or a menu item's.
    void press(const char *name) const;
    // The zoom button's menu item at a position, from 1 (25%).
    void chooseZoom(int position) const;
    // Enter in the address box as its text stands, the focus given by a click.
    void enterAddress() const;
    bool checked(const char *name) const;
    QWidget *aboutBox() const;

    QComboBox *addressBox() const;
    QString addressText() const;
    QStringList addressList() const;
    MainStatusBar *statusBar() const;
    QString statusText() const;
    QString panel2Text() const;
    QPixmap panel2Picture() const;
    WarningPanel *warningPanel() const;
    bool warningShown() const;
    QString warningTitle() const;
    QString warningMessage() const;
    // Where the views lie, and the one on top of the stack there.
    QWidget *viewArea() const;
    QWidget *topView() const;
    TabStrip *strip() const;

    // Waits until the condition holds, at most timeoutMs; false when it did not, with the
    // reason in the test's log.
    [[nodiscard]] bool settle(
        const char *reason, const std::function<bool()> &condition, int timeoutMs = 5000) const;

private:
    QObject *windowObject(const char *name) const;
    QObject *headerObject(int index, const char *name) const;
};
