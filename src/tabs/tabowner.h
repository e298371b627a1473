#pragma once

#include "common/pageview.h"
#include "tab_header/flik.h"

#include <QString>

class Tab;

// What a tab needs of the strip that holds it, when the user acts on its header or its page
// asks to be seen.
class TabHolder
{
public:
    virtual void headerActivated(int index, Activation how) = 0;
    virtual void headerPress() = 0;
    virtual void headerFocusIn(int index) = 0;
    virtual void closeRequested(int index) = 0;
    virtual void menuCommand(int index, TabCommand command) = 0;
    virtual void searchEntered(int index, const QString &text) = 0;
    // The header's width changed: the headers right of it move.
    virtual void headerResized(int index) = 0;
    // The page put a dialog over itself, or asks whether it may be left.
    virtual void dialogShown(Tab &tab) = 0;
    virtual void leaveAsked(int index) = 0;

protected:
    ~TabHolder() = default;
};

// What a tab's page tells the window, each event with its tab first.
class TabPageEvents
{
public:
    virtual void WebBrowser_StatusTextChange(Tab &tab, const QString &Text) = 0;
    virtual void WebBrowser_ProgressChange(Tab &tab, int Progress, int ProgressMax) = 0;
    virtual void WebBrowser_DownloadComplete(Tab &tab) = 0;
    virtual void WebBrowser_FileDownload(Tab &tab) = 0;
    virtual void WebBrowser_SetSecureLockIcon(Tab &tab, int SecureLockIcon) = 0;
    virtual void WebBrowser_GotFocus(Tab &tab) = 0;
    virtual void WebBrowser_TitleChange(Tab &tab, const QString &Text) = 0;
    virtual void WebBrowser_DocumentComplete(Tab &tab, const QString &URL) = 0;
    virtual void WebBrowser_LocationChange(Tab &tab, const QString &URL) = 0;
    virtual void WebBrowser_NewWindow2(Tab &tab, NewWindowRequest &request) = 0;
    virtual void WebBrowser_NavigateError(Tab &tab, const QString &URL, int StatusCode) = 0;
    // The page of a tab that a page opened closes itself (window.close()).
    virtual void WebBrowser_WindowClosing(Tab &tab) = 0;

protected:
    ~TabPageEvents() = default;
};

// What a tab's page asks of the window's page tools.
class TabPageTools
{
public:
    // Whether the page may fill the screen (or leave it).
    virtual bool fullScreenAsked(Tab &tab, bool on) = 0;
    virtual void printAsked(Tab &tab) = 0;
    virtual void saveAsked(Tab &tab, const QString &link, const QString &name) = 0;

protected:
    ~TabPageTools() = default;
};

// Who a tab is wired to as it is made: the strip that holds it, the window's handlers of its
// page's events and its page tools. Each outlives the tab.
struct TabOwners
{
    TabHolder &holder;
    TabPageEvents &events;
    TabPageTools &tools;
};
