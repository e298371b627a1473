#include "tabs/tab.h"

#include "common/pageview.h"
#include "tab_header/flik.h"
#include "tabs/devtoolswindow.h"
#include "tabs/findbar.h"
#include "tabs/permissionbar.h"
#include "tabs/questiondialogs.h"
#include "tabs/sourceeditor.h"

Tab::Tab(int index, const TabTemplates::Elements &elements, PageViewFactory factory,
    const TabOwners &owners, QObject *parent)
    : QObject(parent)
    , m_index(index)
    , m_header(elements.header)
    , m_page(elements.page)
    , m_source(elements.source)
    , m_factory(std::move(factory))
{
    wire(owners);
}

void Tab::wire(const TabOwners &owners)
{
    TabHolder &holder = owners.holder;
    TabPageEvents &events = owners.events;
    TabPageTools &tools = owners.tools;
    // Every connection names this tab as the context: once it closes, nothing of its
    // elements reaches anyone, and an index given out again starts clean.
    const int index = m_index;
    PageView *view = m_page;
    ::flik *header = m_header;

    // What the user does on the header is the strip's to act on.
    connect(header, &::flik::activated, this,
        [&holder, index](Activation how) { holder.headerActivated(index, how); });
    connect(header, &::flik::pressed, this, [&holder] { holder.headerPress(); });
    connect(header, &::flik::focused, this, [&holder, index] { holder.headerFocusIn(index); });
    connect(
        header, &::flik::closeRequested, this, [&holder, index] { holder.closeRequested(index); });
    connect(header, &::flik::menuCommand, this,
        [&holder, index](TabCommand command) { holder.menuCommand(index, command); });
    connect(header, &::flik::searchEntered, this,
        [&holder, index](const QString &text) { holder.searchEntered(index, text); });
    connect(header, &::flik::widthChanged, this, [&holder, index] { holder.headerResized(index); });
    connect(view, &PageView::DialogShown, this, [this, &holder] { holder.dialogShown(*this); });
    connect(view, &PageView::LeaveAsked, this, [&holder, index] { holder.leaveAsked(index); });

    // The page's events, for the window.
    connect(view, &PageView::StatusTextChange, this,
        [this, &events](const QString &text) { events.WebBrowser_StatusTextChange(*this, text); });
    connect(view, &PageView::ProgressChange, this, [this, &events](int progress, int max) {
        events.WebBrowser_ProgressChange(*this, progress, max);
    });
    connect(view, &PageView::DownloadComplete, this,
        [this, &events] { events.WebBrowser_DownloadComplete(*this); });
    connect(view, &PageView::TitleChange, this,
        [this, &events](const QString &text) { events.WebBrowser_TitleChange(*this, text); });
    connect(view, &PageView::DocumentComplete, this,
        [this, &events](const QString &url) { events.WebBrowser_DocumentComplete(*this, url); });
    connect(view, &PageView::LocationChange, this,
        [this, &events](const QString &url) { events.WebBrowser_LocationChange(*this, url); });
    connect(view, &PageView::SetSecureLockIcon, this,
        [this, &events](int level) { events.WebBrowser_SetSecureLockIcon(*this, level); });
    connect(view, &PageView::FileDownload, this,
        [this, &events] { events.WebBrowser_FileDownload(*this); });
    connect(view, &PageView::NavigateError, this, [this, &events](const QString &url, int status) {
        events.WebBrowser_NavigateError(*this, url, status);
    });
    connect(
        view, &PageView::GotFocus, this, [this, &events] { events.WebBrowser_GotFocus(*this); });
    connect(view, &PageView::WindowClosing, this,
        [this, &events] { events.WebBrowser_WindowClosing(*this); });
    connect(view, &PageView::PrintRequested, this, [this, &tools] { tools.printAsked(*this); });
    connect(view, &PageView::SaveRequested, this,
        [this, &tools](
            const QString &link, const QString &name) { tools.saveAsked(*this, link, name); });
    // Questions with one answer each; close() takes them back.
    view->hooks().setNewWindowHandler([tab = QPointer(this), &events](NewWindowRequest request) {
        if (tab)
            events.WebBrowser_NewWindow2(*tab, request);
        return request;
    });
    view->hooks().setFullScreenHandler(
        [tab = QPointer(this), &tools](bool on) { return tab && tools.fullScreenAsked(*tab, on); });

    // The page's dialogs and its leaving question, over the page alone; the bar of its site's
    // questions.
    new QuestionDialogs(view);
    m_permissions = new PermissionBar(view);
    connect(view, &PageView::PermissionAsked, this,
        [this](const PermissionQuestion &question) { m_permissions->ask(question); });
    connect(view, &PageView::PermissionsWithdrawn, this, [this] { m_permissions->withdraw(); });
    // The speaker on the header while the page sounds or is muted; a click on it mutes.
    connect(view, &PageView::AudioChange, this, [this] {
        if (m_header)
            m_header->showSound(m_page->pageActions().isAudible(), m_page->pageActions().isMuted());
    });
    connect(header, &::flik::muteClicked, this, [this] {
        PageActions &page = m_page->pageActions();
        page.setMuted(!page.isMuted());
    });
    // The developer tools, in a window of the tab's own.
    connect(view, &PageView::InspectRequested, this, [this] {
        if (!m_devTools)
            m_devTools = new DevToolsWindow(m_page, m_factory, this);
        m_devTools->inspect();
    });
}

void Tab::openFindBar()
{
    if (m_source && m_header && m_header->look().sourceShown) {
        if (!m_sourceFind)
            m_sourceFind = new FindBar(m_source.data());
        m_sourceFind->open();
    } else if (m_page) {
        if (!m_pageFind)
            m_pageFind = new FindBar(m_page.data(), m_permissions);
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
        // A closed tab's page asks nothing more of the window.
        m_page->hooks().setNewWindowHandler({});
        m_page->hooks().setFullScreenHandler({});
        m_page->release();
    }
    if (m_source)
        m_source->deleteLater();
    if (m_header)
        m_header->deleteLater();
    deleteLater();
}
