#pragma once

#include "common/pageview.h"

#include <functional>
#include <QWebEnginePage>

// The engine's page of one tab. What the engine asks of a page synchronously (a window to
// open into, a script dialog's answer) it asks the hooks its view gives it, and it tells
// the view every address it asks to load.
class EnginePage final : public QWebEnginePage
{
    Q_OBJECT
public:
    struct Hooks
    {
        // An alert, confirm or prompt: true when accepted, the prompt's text in value.
        std::function<bool(PageQuestion::Kind kind, const QString &origin, const QString &message,
            const QString &defaultValue, QString *value)>
            dialog;
        // A frame's navigation, a redirect, or an address typed; whether the main frame's.
        std::function<void(const QUrl &url, bool mainFrame)> navigationAsked;
    };

    EnginePage(QWebEngineProfile *profile, Hooks hooks, QObject *parent);

    // The page's lifecycle as a view's rest: active, frozen or discarded.
    PageView::Rest rest() const;
    void setRest(PageView::Rest rest);
    // The deepest rest the engine itself recommends: it keeps a page with form input, or a
    // pop-up with its opener, from being discarded.
    PageView::Rest recommendedRest() const;

protected:
    // Never a window here: the engine asks this before it says how the window is asked for
    // (by whom, behind or in front), and asks newWindowRequested, which says, only when
    // this answers none.
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool) override;
    // The engine's own dialogs are modal to the whole program: a page could hold the window
    // hostage with them. These are the view's, and cover the page alone.
    void javaScriptAlert(const QUrl &origin, const QString &message) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &message) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &message, const QString &defaultValue,
        QString *result) override;

private:
    Hooks m_hooks;
};
