#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>

class DownloadSaver;
class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;
class QWidget;
class WebEnginePageView;

// Hands the engine-wide events to the one page view each concerns: a focus change to the
// view that gains or loses the keyboard focus, a download to the view whose page asked for
// it. One connection each, however many tabs are open, so that their cost does not grow
// with the number of tabs. It also knows which view of a window is in front: only that one
// draws its page; the views it covers rest, as hidden tabs do.
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
    // A view came in front of the others of its window; the one it covers goes behind, and
    // gives it the keyboard focus if it held it.
    void cameForward(WebEnginePageView *view);
    // A view's load progressed. Progress is told for all views together, at most every
    // progressTickMs: each report redraws the window, and with many tabs loading at once,
    // reports one by one cost the loads themselves a good part of the processor.
    void progressed(WebEnginePageView *view);
    static constexpr int progressTickMs = 100;

private:
    void onFocusChanged(QWidget *now);
    void onDownloadRequested(QWebEngineDownloadRequest *download);
    WebEnginePageView *viewHolding(QWidget *widget) const;

    QWebEngineProfile *m_profile;
    DownloadSaver *m_downloads;
    QHash<const QWebEnginePage *, WebEnginePageView *> m_views;
    QPointer<WebEnginePageView> m_focused;
    // The view in front, by the widget that holds the views.
    QHash<const QWidget *, QPointer<WebEnginePageView>> m_front;
    // The focus is being handed on by cameForward, not chosen by the user.
    bool m_handingFocus = false;
    QList<QPointer<WebEnginePageView>> m_progressed;
    QTimer m_progressTick;
};
