#include "hosted/devtools.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

DevTools::DevTools(QWebEnginePage *page, QWidget *owner)
    : QObject(owner)
    , m_page(page)
    , m_owner(owner)
{ }

DevTools::~DevTools()
{
    // The tools' page inspects this one: it goes first.
    if (m_page)
        m_page->setDevToolsPage(nullptr);
    delete m_window;
}

void DevTools::toggle()
{
    if (shown()) {
        delete m_window;
        return;
    }
    show();
}

void DevTools::inspect()
{
    show();
    if (m_page)
        m_page->triggerAction(QWebEnginePage::InspectElement);
}

void DevTools::show()
{
    if (!m_page)
        return;
    if (!m_window) {
        // A window of its own over the browser's, named after the page: a page's title is
        // text only, as a window title is.
        m_window = new QWidget(m_owner->window(), Qt::Window);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->setWindowTitle(tr("Developer tools - %1").arg(m_page->title()));
        m_window->resize(900, 600);
        auto *layout = new QVBoxLayout(m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        m_view = new QWebEngineView(m_window);
        m_view->setPage(new QWebEnginePage(m_page->profile(), m_view));
        layout->addWidget(m_view);
        m_page->setDevToolsPage(m_view->page());
        // Closed by the user: the page is no longer inspected.
        connect(m_window, &QObject::destroyed, this, [this] {
            if (m_page)
                m_page->setDevToolsPage(nullptr);
        });
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
