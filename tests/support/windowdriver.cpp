#include "support/windowdriver.h"

#include "support/input.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tabs/tabstrip.h"
#include "window/form1.h"
#include "window/mainstatusbar.h"
#include "window/tabopening.h"
#include "window/warningpanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QTest>
#include <QToolButton>

Tabs &WindowDriver::tabs() const
{
    return window->tabs();
}

int WindowDriver::activeTab() const
{
    return toTabIndex(window->tabs().current()).value_or(-1);
}

int WindowDriver::previousTab() const
{
    return toTabIndex(window->tabs().lastone()).value_or(-1);
}

int WindowDriver::highestTab() const
{
    return tabs().ubound();
}

QList<int> WindowDriver::openTabs() const
{
    QList<int> indices;
    for (const Tab *tab : tabs().all())
        indices << tab->index();
    return indices;
}

int WindowDriver::tabCount() const
{
    return static_cast<int>(tabs().all().size());
}

::flik *WindowDriver::header(int index) const
{
    return tabs().elements(index).header;
}

PageView *WindowDriver::page(int index) const
{
    return tabs().elements(index).page;
}

SourceEditor *WindowDriver::source(int index) const
{
    return tabs().elements(index).source;
}

QString WindowDriver::caption(int index) const
{
    const ::flik *tab = header(index);
    return tab ? tab->look().caption : QString();
}

int WindowDriver::openTab()
{
    window->opening().open();
    return highestTab();
}

void WindowDriver::activate(int index)
{
    if (::flik *tab = header(index))
        tab->sellect();
}

void WindowDriver::clickClose(int index) const
{
    if (auto *closer = headerPart<QAbstractButton>(index, "closer"))
        QTest::mouseClick(closer, Qt::LeftButton);
}

void WindowDriver::closeTab(int index)
{
    clickClose(index);
    // The header and the views go once the click is handled.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QObject *WindowDriver::windowObject(const char *name) const
{
    return window->findChild<QObject *>(QLatin1String(name));
}

QObject *WindowDriver::headerObject(int index, const char *name) const
{
    const ::flik *tab = header(index);
    return tab ? tab->findChild<QObject *>(QLatin1String(name)) : nullptr;
}

QAction *WindowDriver::menuItem(const char *name) const
{
    return control<QAction>(name);
}

void WindowDriver::press(const char *name) const
{
    if (QAction *item = menuItem(name))
        item->trigger();
    else if (auto *button = control<QAbstractButton>(name))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        QFAIL(name);
}

void WindowDriver::chooseZoom(int position) const
{
    control<QToolButton>("zoom")->menu()->actions().at(position - 1)->trigger();
}

void WindowDriver::enterAddress() const
{
    QVERIFY(Input::clickFocus(addressBox()));
    Input::key(Qt::Key_Return);
}

bool WindowDriver::checked(const char *name) const
{
    const QAction *item = menuItem(name);
    return item && item->isChecked();
}

QWidget *WindowDriver::aboutBox() const
{
    // The about box has no owner window.
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == u"about")
            return widget;
    return nullptr;
}

QComboBox *WindowDriver::addressBox() const
{
    return control<QComboBox>("address");
}

QString WindowDriver::addressText() const
{
    return addressBox()->currentText();
}

QStringList WindowDriver::addressList() const
{
    QStringList items;
    for (int i = 0; i < addressBox()->count(); ++i)
        items << addressBox()->itemText(i);
    return items;
}

MainStatusBar *WindowDriver::statusBar() const
{
    return control<MainStatusBar>("StatusBar1");
}

QString WindowDriver::statusText() const
{
    return statusBar()->panel1Text();
}

QString WindowDriver::panel2Text() const
{
    return statusBar()->panel2Text();
}

QPixmap WindowDriver::panel2Picture() const
{
    return statusBar()->panel2Picture();
}

WarningPanel *WindowDriver::warningPanel() const
{
    return control<WarningPanel>("infopanel");
}

bool WindowDriver::warningShown() const
{
    return !warningPanel()->isHidden();
}

QString WindowDriver::warningTitle() const
{
    return warningPanel()->title();
}

QString WindowDriver::warningMessage() const
{
    return warningPanel()->messageText();
}

QWidget *WindowDriver::viewArea() const
{
    return control("container");
}

QWidget *WindowDriver::topView() const
{
    const QWidgetList stack = viewArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    return stack.isEmpty() ? nullptr : stack.last();
}

TabStrip *WindowDriver::strip() const
{
    return control<TabStrip>("Picture1");
}

bool WindowDriver::settle(
    const char *reason, const std::function<bool()> &condition, int timeoutMs) const
{
    if (QTest::qWaitFor(condition, timeoutMs))
        return true;
    qWarning("did not settle within %d ms: %s", timeoutMs, reason);
    return false;
}
