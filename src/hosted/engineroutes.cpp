#include "hosted/engineroutes.h"

#include "hosted/webenginepageview.h"

#include <QApplication>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <utility>

EngineRoutes::EngineRoutes(QWebEngineProfile *profile, DownloadSaver *downloads, QObject *parent)
    : QObject(parent)
    , m_profile(profile)
    , m_downloads(downloads)
{
    connect(qApp, &QApplication::focusChanged, this,
        [this](QWidget *, QWidget *now) { onFocusChanged(now); });
    connect(
        profile, &QWebEngineProfile::downloadRequested, this, &EngineRoutes::onDownloadRequested);
    m_progressTick.setSingleShot(true);
    m_progressTick.setInterval(progressTickMs);
    connect(&m_progressTick, &QTimer::timeout, this, [this] {
        for (const QPointer<WebEnginePageView> &view : std::exchange(m_progressed, {}))
            if (view)
                view->tellProgress();
    });
}

void EngineRoutes::progressed(WebEnginePageView *view)
{
    if (!m_progressed.contains(view))
        m_progressed.append(view);
    if (!m_progressTick.isActive())
        m_progressTick.start();
}

void EngineRoutes::add(QWebEnginePage *page, WebEnginePageView *view)
{
    m_views.insert(page, view);
}

void EngineRoutes::remove(QWebEnginePage *page)
{
    m_views.remove(page);
}

void EngineRoutes::forget(WebEnginePageView *view)
{
    if (m_focused == view)
        m_focused = nullptr;
    m_views.removeIf([view](const auto &entry) { return entry.value() == view; });
    m_front.removeIf([view](const auto &entry) { return entry.value() == view; });
}

void EngineRoutes::cameForward(WebEnginePageView *view)
{
    const QPointer<WebEnginePageView> behind = std::exchange(m_front[view->parentWidget()], view);
    view->comeForward();
    if (!behind || behind == view)
        return;
    // The keyboard goes where the eyes go: keys typed now belong to the page in sight. That
    // is not the user choosing a page, so it activates nothing.
    if (const QWidget *focus = QApplication::focusWidget(); focus && behind->isAncestorOf(focus)) {
        m_handingFocus = true;
        view->setFocus(Qt::OtherFocusReason);
        m_handingFocus = false;
    }
    behind->goBehind();
}

WebEnginePageView *EngineRoutes::viewHolding(QWidget *widget) const
{
    for (; widget; widget = widget->parentWidget()) {
        if (auto *view = qobject_cast<WebEnginePageView *>(widget))
            return view->routes() == this ? view : nullptr;
    }
    return nullptr;
}

void EngineRoutes::onFocusChanged(QWidget *now)
{
    if (!now)
        return; // the engine's focus widget went away; the view may still be the focused one
    WebEnginePageView *view = viewHolding(now);
    if (view == m_focused)
        return;
    const QPointer<WebEnginePageView> left = m_focused;
    m_focused = view;
    if (left)
        left->focusLeft();
    if (view)
        view->focusEntered(!m_handingFocus);
}

void EngineRoutes::onDownloadRequested(QWebEngineDownloadRequest *download)
{
    // A download that no view takes is cancelled by the engine when this returns.
    if (WebEnginePageView *view = m_views.value(download->page()))
        view->downloadRequested(download);
}
