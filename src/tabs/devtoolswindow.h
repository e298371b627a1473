#pragma once

#include "common/pageview.h"

#include <QObject>
#include <QPointer>

// The engine's developer tools for one tab's page, in a window of their own over the
// browser's, drawn by a page view of the same kind as the page's. They go with the tab.
class DevToolsWindow final : public QObject
{
    Q_OBJECT
public:
    DevToolsWindow(PageView *page, PageViewFactory factory, QObject *parent);
    ~DevToolsWindow() override;

    // Shown for the page, or closed when they are shown.
    void toggle();
    // Shown, with the element under the page's last menu selected.
    void inspect();

private:
    void show(bool element);
    void close();

    QPointer<PageView> m_page;
    PageViewFactory m_factory;
    QPointer<QWidget> m_window;
};
