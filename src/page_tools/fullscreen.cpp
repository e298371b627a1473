#include "page_tools/fullscreen.h"

#include "common/pageview.h"
#include "common/site.h"
#include "tabs/tabs.h"

#include <QLabel>
#include <QMainWindow>
#include <QUrl>
#include <utility>

namespace {

// The state to go back to, and the geometry of a window that was neither maximized nor full
// screen, which a window system without a window manager does not keep by itself.
void comeBack(QMainWindow &window, Qt::WindowStates state, const QRect &geometry)
{
    window.setWindowState(state);
    if (!(state & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        window.setGeometry(geometry);
}

} // namespace

FullScreen::FullScreen(
    QMainWindow &window, Tabs &tabs, std::vector<QWidget *> bars, std::function<void()> relayout)
    : QObject(&window)
    , m_window(window)
    , m_tabs(tabs)
    , m_bars(std::move(bars))
    , m_relayout(std::move(relayout))
    , m_notice(new QLabel(&window))
{
    m_notice->setObjectName(QStringLiteral("fullScreenNotice"));
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setMargin(12);
    m_notice->setStyleSheet(QStringLiteral(
        "background: rgba(32, 32, 32, 220); color: white; border-radius: 6px; font-size: 15px;"));
    m_notice->hide();
    m_noticeTimer.setSingleShot(true);
    m_noticeTimer.setInterval(noticeMs);
    connect(&m_noticeTimer, &QTimer::timeout, m_notice, &QWidget::hide);
}

void FullScreen::toggleWindow()
{
    if (leavePage())
        return;
    if (m_window.isFullScreen()) {
        comeBack(m_window, m_beforeWindow, m_geometryBeforeWindow);
        return;
    }
    m_beforeWindow = m_window.windowState();
    m_geometryBeforeWindow = m_window.geometry();
    m_window.setWindowState(m_beforeWindow | Qt::WindowFullScreen);
}

bool FullScreen::pageAsked(PageView *view, bool on)
{
    if (!on) {
        // The page left by itself (or confirms leaving when asked to).
        if (m_pageShown && view == m_pageView)
            restore();
        return true;
    }
    if (!view || m_tabs.frontPage() != view)
        return false;
    if (!m_pageShown || view != m_pageView)
        enterPage(view);
    return true;
}

void FullScreen::enterPage(PageView *view)
{
    restore();
    m_pageShown = true;
    m_pageView = view;
    m_beforePage = m_window.windowState();
    m_geometryBeforePage = m_window.geometry();
    // The keyboard goes to the page first: focus left in a bar as it hides would move on to
    // a tab header, and activate that tab.
    view->setFocus(Qt::OtherFocusReason);
    m_hidden.clear();
    for (QWidget *bar : m_bars) {
        if (bar->isVisibleTo(&m_window)) {
            m_hidden.emplace_back(bar);
            bar->hide();
        }
    }
    m_window.setWindowState(m_beforePage | Qt::WindowFullScreen);
    m_relayout();
    // Named by the site that asked, as the page could draw a notice of its own.
    const auto shown = Site::of(QUrl(view->LocationURL()));
    const QString site = shown ? shown->shown() : QString();
    m_notice->setText(site.isEmpty()
            ? tr("This page is full screen. Press Esc to leave full screen")
            : tr("%1 is full screen. Press Esc to leave full screen").arg(site));
    m_notice->adjustSize();
    m_notice->move((m_window.width() - m_notice->width()) / 2, 40);
    m_notice->show();
    m_notice->raise();
    m_noticeTimer.start();
}

bool FullScreen::leavePage()
{
    if (!m_pageShown)
        return false;
    const QPointer<PageView> view = m_pageView;
    restore();
    // The page is told, so that its own controls come back too.
    if (view)
        view->pageActions().ExitFullScreen();
    return true;
}

void FullScreen::pageLeft(PageView *view)
{
    if (m_pageShown && view == m_pageView)
        leavePage();
}

void FullScreen::restore()
{
    if (!m_pageShown)
        return;
    m_pageShown = false;
    m_pageView.clear();
    m_noticeTimer.stop();
    m_notice->hide();
    for (const QPointer<QWidget> &bar : std::exchange(m_hidden, {})) {
        if (bar)
            bar->show();
    }
    comeBack(m_window, m_beforePage, m_geometryBeforePage);
    m_relayout();
}
