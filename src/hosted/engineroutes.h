#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class DownloadSaver;
class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;
class QWidget;
class WebEnginePageView;

// Hands the engine-wide events to the one page view each concerns: a focus change to the
// view that gains or loses the keyboard focus, a download to the view whose page asked for
// it. One connection each, however many tabs are open, so that their cost does not grow
// with the number of tabs.
class EngineRoutes final : public QObject
{
    Q_OBJECT
public:
    EngineRoutes(QWebEngineProfile *profile, DownloadSaver *downloads, QObject *parent = nullptr);

    QWebEngineProfile *profile() const { return m_profile; }
    DownloadSaver *downloads() const { return m_downloads; }

    // A view's page, once made, and its end.
    void add(QWebEnginePage *page, WebEnginePageView *view);
    void remove(QWebEnginePage *page);
    // Forgets a view that is going away.
    void forget(WebEnginePageView *view);

private:
    void onFocusChanged(QWidget *now);
    void onDownloadRequested(QWebEngineDownloadRequest *download);
    WebEnginePageView *viewHolding(QWidget *widget) const;

    QWebEngineProfile *m_profile;
    DownloadSaver *m_downloads;
    QHash<const QWebEnginePage *, WebEnginePageView *> m_views;
    QPointer<WebEnginePageView> m_focused;
};
