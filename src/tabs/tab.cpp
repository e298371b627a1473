#include "tabs/tab.h"

#include "hosted/pageview.h"
#include "tab_header/flik.h"
#include "tabs/devtoolswindow.h"
#include "tabs/findbar.h"
#include "tabs/permissionbar.h"
#include "tabs/questiondialogs.h"
#include "tabs/sourceeditor.h"

Tab::Tab(int index, ::flik *header, PageView *page, SourceEditor *source, PageViewFactory factory,
    QObject *parent)
    : QObject(parent)
    , m_index(index)
    , m_header(header)
    , m_page(page)
    , m_source(source)
    , m_factory(std::move(factory))
{
    wire();
}

void Tab::wire()
{
    // The page's dialogs and its leaving question, over the page alone.
    new QuestionDialogs(m_page);
    m_permissions = new PermissionBar(m_page);
    connect(m_page, &PageView::PermissionAsked, this,
        [this](const PermissionQuestion &question) { m_permissions->ask(question); });
    connect(m_page, &PageView::PermissionsWithdrawn, this, [this] { m_permissions->withdraw(); });
    // The speaker on the header while the page sounds or is muted; a click on it mutes.
    connect(m_page, &PageView::AudioChange, this, [this] {
        if (m_header)
            m_header->showSound(m_page->isAudible(), m_page->isMuted());
    });
    if (m_header)
        connect(
            m_header, &::flik::muteClicked, this, [this] { m_page->setMuted(!m_page->isMuted()); });
    connect(m_page, &PageView::InspectRequested, this, [this] {
        if (!m_devTools)
            m_devTools = new DevToolsWindow(m_page, m_factory, this);
        m_devTools->inspect();
    });
}

void Tab::openFindBar()
{
    if (m_source && m_header && m_header->sourceShown()) {
        if (!m_sourceFind)
            m_sourceFind = new FindBar(m_source.data());
        m_sourceFind->open();
    } else if (m_page) {
        if (!m_pageFind)
            m_pageFind = new FindBar(m_page.data());
        m_pageFind->open();
    }
}

void Tab::toggleDevTools()
{
    if (m_page && !m_devTools)
        m_devTools = new DevToolsWindow(m_page, m_factory, this);
    if (m_devTools)
        m_devTools->toggle();
}

void Tab::setInFront(bool inFront)
{
    if (m_page)
        m_page->setInFront(inFront);
    if (m_permissions)
        m_permissions->setInFront(inFront);
}

void Tab::close()
{
    for (QWidget *element : { static_cast<QWidget *>(m_header), static_cast<QWidget *>(m_page),
             static_cast<QWidget *>(m_source) }) {
        if (!element)
            continue;
        disconnect(element, nullptr, this, nullptr);
        element->hide();
    }
    if (m_permissions)
        m_permissions->refuseAll();
    // The tools go with their tab, before its page.
    delete std::exchange(m_devTools, nullptr);
    if (m_page) {
        // A closed tab's page asks nothing more of the browser.
        m_page->setNewWindowHandler({});
        m_page->setFullScreenHandler({});
        m_page->release();
    }
    if (m_source)
        m_source->deleteLater();
    if (m_header)
        m_header->deleteLater();
    deleteLater();
}
