#include "tabs/devtoolswindow.h"

#include <QVBoxLayout>

DevToolsWindow::DevToolsWindow(PageView *page, PageViewFactory factory, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_factory(std::move(factory))
{ }

DevToolsWindow::~DevToolsWindow()
{
    close();
}

void DevToolsWindow::toggle()
{
    if (m_window && m_window->isVisible())
        close();
    else
        show(false);
}

void DevToolsWindow::inspect()
{
    show(true);
}

void DevToolsWindow::show(bool element)
{
    if (!m_page || !m_factory)
        return;
    if (!m_window) {
        // Named after the page: a page's title is text only, as a window title is.
        m_window = new QWidget(m_page->window(), Qt::Window);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->setWindowTitle(tr("Developer tools - %1").arg(m_page->LocationName()));
        m_window->resize(900, 600);
        auto *layout = new QVBoxLayout(m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        PageView *tools = m_factory(m_window);
        layout->addWidget(tools);
        tools->setInFront(true);
        m_page->pageActions().inspectIn(tools, false);
        // Closed by the user: the page is no longer inspected.
        connect(m_window, &QObject::destroyed, this, [this] {
            if (m_page)
                m_page->pageActions().inspectIn(nullptr, false);
        });
    }
    if (element)
        m_page->pageActions().inspectIn(m_window->findChild<PageView *>(), true);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void DevToolsWindow::close()
{
    // The tools inspect the page: they are let go before their window.
    if (m_page)
        m_page->pageActions().inspectIn(nullptr, false);
    delete m_window;
}
