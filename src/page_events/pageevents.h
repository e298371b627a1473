#pragma once

#include "common/pageview.h"
#include "page_events/contentwarnings.h"
#include "page_events/popupthrottle.h"
#include "tabs/tabowner.h"

#include <QObject>

class Form1;
class Tab;

// The handlers of the events that each tab's page view raises, each with its tab first:
// status texts, progress, downloads, the lock state, focus, titles, completed documents, new
// windows and navigation errors; and the content warnings they raise. They act on the
// window and its tabs through the window's operations. Made before its window opens a tab,
// it is the handler every tab is wired to as it is made.
class PageEvents final : public QObject, public TabPageEvents
{
    Q_OBJECT
public:
    explicit PageEvents(Form1 &form);

    void WebBrowser_StatusTextChange(Tab &tab, const QString &Text) override;
    void WebBrowser_ProgressChange(Tab &tab, int Progress, int ProgressMax) override;
    void WebBrowser_DownloadComplete(Tab &tab) override;
    void WebBrowser_FileDownload(Tab &tab) override;
    void WebBrowser_SetSecureLockIcon(Tab &tab, int SecureLockIcon) override;
    void WebBrowser_GotFocus(Tab &tab) override;
    void WebBrowser_TitleChange(Tab &tab, const QString &Text) override;
    void WebBrowser_DocumentComplete(Tab &tab, const QString &URL) override;
    void WebBrowser_LocationChange(Tab &tab, const QString &URL) override;
    void WebBrowser_NewWindow2(Tab &tab, NewWindowRequest &request) override;
    void WebBrowser_NavigateError(Tab &tab, const QString &URL, int StatusCode) override;
    // The page of a tab that a page opened closes itself (window.close()).
    void WebBrowser_WindowClosing(Tab &tab) override;

    // Content warnings: screens a text with one event's keyword list, and shows a warning.
    void screenForWarnings(ContentWarnings::Source source, const QString &text);
    void showWarning(const std::optional<QString> &title, const QString &message);

private:
    Form1 &form;
    PopupThrottle m_popups;
};
