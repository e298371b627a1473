#pragma once

#include <functional>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <vector>

class PageView;
class QLabel;
class QMainWindow;
class QWidget;
class Tabs;

// Full screen, in two kinds: the whole window with its bars (F11), and the active page alone,
// when the page asks (a video's full-screen button). A page full screen hides every bar,
// shows a short notice of how to leave, and ends with Esc, with the page's own request, or
// when its tab closes or goes behind; the window then comes back exactly as it was. Only the
// tab in front may have it.
class FullScreen final : public QObject
{
    Q_OBJECT
public:
    static constexpr int noticeMs = 3000;

    // The bars are hidden while a page is full screen; relayout lays the window out anew
    // once they are hidden or shown.
    FullScreen(QMainWindow &window, Tabs &tabs, std::vector<QWidget *> bars,
        std::function<void()> relayout);

    // F11: the whole window full screen, or back. While a page is full screen, it leaves.
    void toggleWindow();
    // A tab's page asks to be shown full screen, or to leave; whether it may.
    bool pageAsked(PageView *view, bool on);
    // Esc: leaves a page's full screen; false when no page was full screen.
    bool leavePage();
    bool pageShown() const { return m_pageShown; }
    // A tab's page went behind: its full screen ends.
    void pageLeft(PageView *view);

private:
    void enterPage(PageView *view);
    void restore();

    QMainWindow &m_window;
    Tabs &m_tabs;
    std::vector<QWidget *> m_bars;
    std::function<void()> m_relayout;
    QLabel *m_notice = nullptr;
    QTimer m_noticeTimer;

    // The page full screen, and how the window was before it.
    bool m_pageShown = false;
    QPointer<PageView> m_pageView;
    std::vector<QPointer<QWidget>> m_hidden;
    Qt::WindowStates m_beforePage;
    QRect m_geometryBeforePage;
    // How the window was before F11.
    Qt::WindowStates m_beforeWindow;
    QRect m_geometryBeforeWindow;
};
