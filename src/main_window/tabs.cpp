#include "main_window/tabs.h"

#include "common/twips.h"
#include "hosted/sourceeditor.h"
#include "main_window/mainstatusbar.h"
#include "main_window/tabstrip.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <utility>

namespace {

// Takes an element out of its array and off the screen; the caller lets it go.
template <typename T> T *takeElement(ControlArray<T> &array, int index)
{
    T *element = array.unload(index);
    if (element) {
        // A late signal from it must not reach the tab that reuses its index.
        element->disconnect();
        element->hide();
    }
    return element;
}

bool holds(const QWidget *element, const QWidget *focus)
{
    return element && focus && (element == focus || element->isAncestorOf(focus));
}

// A float field names a tab when it rounds to an index from 1; the template's 0 is none.
std::optional<TabIndex> tabAt(float index)
{
    const auto tab = toTabIndex(index);
    return tab && *tab >= 1 ? tab : std::nullopt;
}

} // namespace

Tabs::Tabs(Window window, PageViewFactory factory, QString searchService, QObject *parent)
    : QObject(parent)
    , m_window(std::move(window))
    , m_factory(std::move(factory))
    , m_searchService(std::move(searchService))
{ }

void Tabs::loadTemplates()
{
    PageView *view = m_factory(m_window.container);
    view->setGeometry(Twips::toRect(0, 0, 7815, 5295));
    view->hide();
    m_views.load(0, view);

    auto *editor = new SourceEditor(m_window.container);
    editor->setGeometry(Twips::toRect(0, 0, 11955, 5775));
    editor->hide();
    m_editors.load(0, editor);

    auto *header = new ::flik(m_window.strip->headers());
    header->setLeft(-1440);
    header->hide();
    m_headers.load(0, header);
}

PageView *Tabs::viewAt(float index) const
{
    return m_views(tabAt(index));
}

SourceEditor *Tabs::editorAt(float index) const
{
    return m_editors(tabAt(index));
}

::flik *Tabs::headerAt(float index) const
{
    return m_headers(tabAt(index));
}

std::vector<int> Tabs::openTabs() const
{
    std::vector<int> indices;
    m_headers.forEach([&indices](int index, ::flik *) {
        if (index >= 1)
            indices.push_back(index);
    });
    return indices;
}

std::optional<int> Tabs::open(Order order)
{
    const ::flik *headerModel = m_headers(0);
    const PageView *viewModel = m_views(0);
    const SourceEditor *editorModel = m_editors(0);
    // One index for all three: an index that any array cannot take makes no tab at all.
    const int index = m_headers.ubound() + 1;
    if (!headerModel || !viewModel || !editorModel || index > ControlArray<::flik>::maxIndex
        || m_views(index) || m_editors(index))
        return std::nullopt;

    auto *header = new ::flik(m_window.strip->headers());
    header->copyConfiguration(*headerModel);
    header->hide();
    m_headers.load(index, header);
    if (const ::flik *previous = m_headers(index - 1))
        header->setLeft(previous->Left() + previous->Width());
    header->indexer(static_cast<float>(index));
    header->show();
    wire(header, index);
    m_window.strip->headerAdded(header);

    PageView *view = m_factory(m_window.container);
    view->setGeometry(viewModel->geometry());
    view->hide();
    m_views.load(index, view);
    const auto makeEditor = [&] {
        auto *editor = new SourceEditor(m_window.container);
        editor->copyConfiguration(*editorModel);
        editor->setGeometry(editorModel->geometry());
        editor->hide();
        m_editors.load(index, editor);
    };
    if (order == Order::SourceFirst)
        makeEditor();
    view->show();
    if (order == Order::ViewFirst)
        makeEditor();
    emit opened(index);
    return index;
}

void Tabs::wire(::flik *header, int index)
{
    // Focus that moves while a tab closes reaches a header too; it activates nothing.
    connect(header, &::flik::activated, this, [this, index](Activation how) {
        if (!m_closing)
            activate(index, how);
    });
    connect(header, &::flik::pressed, this, &Tabs::headerPressed);
    connect(header, &::flik::focused, this, [this, index] { emit headerFocused(index); });
    connect(header, &::flik::closeRequested, this, [this, index] { close(index); });
    connect(header, &::flik::menuCommand, this, [this, index](TabCommand command) {
        if (command == TabCommand::ViewSearch)
            viewSearch(index);
        else
            viewSource(index);
    });
    connect(header, &::flik::searchEntered, this,
        [this, index](const QString &text) { search(index, text); });
    connect(header, &::flik::widthChanged, this, [this, index] {
        // The next header starts at this one's right edge again, and every later one moves
        // as much; past a closed neighbour, or after the last header, nothing moves.
        const ::flik *self = m_headers(index);
        const ::flik *next = m_headers(index + 1);
        if (self && next)
            shiftHeaders(index + 1, self->Left() + self->Width() - next->Left());
        m_window.strip->headersChanged();
    });
}

void Tabs::shiftHeaders(int from, float by)
{
    for (int i = from, last = m_headers.ubound(); i <= last; ++i) {
        if (::flik *header = m_headers(i))
            header->setLeft(header->Left() + by);
    }
    m_window.strip->headersChanged();
}

void Tabs::resizeViews(QSize size)
{
    for (int i = 0, last = m_views.ubound(); i <= last; ++i) {
        if (PageView *view = m_views(i))
            view->resize(size);
        if (SourceEditor *editor = m_editors(i))
            editor->resize(size);
    }
}

void Tabs::disconnectViews()
{
    m_views.forEach([](int, PageView *view) { view->disconnect(); });
}

void Tabs::activate(int index, Activation how)
{
    ::flik *header = m_headers(index);
    if (!header)
        return;
    // Clearing every header's selection only changes the ones drawn selected, and only
    // activation draws a header selected: those are cleared, whatever the number of tabs.
    for (const QPointer<::flik> &selected : std::exchange(m_selected, {})) {
        if (selected)
            selected->normal();
    }
    header->markSelected();
    m_selected.push_back(header);
    showViews(index, how);
    if (header->myindex != m_current)
        m_lastone = m_current;
    m_current = header->myindex;
    if (PageView *view = m_views(toTabIndex(m_current)))
        m_window.address->setEditText(view->LocationURL());
    if (header->lockShown()) {
        m_window.status->setPanel2Picture(m_window.lock);
        m_window.status->setPanel2Text(tr("Encrypted"));
    } else {
        m_window.status->setPanel2Picture(QPixmap());
        m_window.status->setPanel2Text(QString());
    }
    if (!header->isHidden())
        m_window.strip->ensureVisible(header);
}

void Tabs::showViews(int index, Activation how)
{
    PageView *view = m_views(index);
    SourceEditor *editor = m_editors(index);
    const ::flik *header = m_headers(index);
    const bool sourceShown = header && header->sourceShown();
    if (how == Activation::Full)
        m_window.sourceMark->setChecked(sourceShown);
    if (view) {
        view->raise();
        bringInFront(view, index);
    }
    if (!sourceShown || how == Activation::PageOnly || !editor)
        return;
    if (how != Activation::RaiseOnly)
        editor->show();
    editor->raise();
}

void Tabs::bringInFront(PageView *view, int index)
{
    const QPointer<PageView> behind = std::exchange(m_inFront, view);
    const int covered = std::exchange(m_inFrontIndex, index);
    view->setInFront(true);
    if (!behind || behind == view)
        return;
    emit frontChanged(index, covered);
    // The keyboard goes where the eyes go: keys typed now belong to the page in sight. That
    // is not the user choosing a page, so it activates nothing.
    if (holds(behind, QApplication::focusWidget()) && !view->isHidden()) {
        m_handingFocus = true;
        view->setFocus(Qt::OtherFocusReason);
        m_handingFocus = false;
    }
    behind->setInFront(false);
}

void Tabs::close(int index)
{
    ::flik *header = m_headers(index);
    if (!header || index < 1)
        return;
    activate(index);
    shiftHeaders(index, -header->Width());

    // The tab to go back to; when it was closed before (or is the template, or this tab),
    // the nearest open tab, left first, takes its place, so that a tab stays active while
    // any is open. With none left, the template is activated: no page is in sight, and
    // nothing acts on a closed one.
    int next = 0;
    if (const auto previous = tabAt(m_lastone);
        previous && *previous != index && m_headers(*previous))
        next = *previous;
    for (int i = index - 1; next == 0 && i >= 1; --i)
        next = m_headers(i) ? i : 0;
    for (int i = index + 1, last = m_headers.ubound(); next == 0 && i <= last; ++i)
        next = m_headers(i) ? i : 0;
    activate(next);

    m_closing = true;
    settleFocus(index);
    QString address;
    if (PageView *view = takeElement(m_views, index)) {
        address = view->LocationURL();
        view->release();
    }
    if (SourceEditor *editor = takeElement(m_editors, index))
        editor->deleteLater();
    m_openedBehind.erase(index);
    // The header goes last; it may be the one whose click is being handled.
    if (::flik *closing = takeElement(m_headers, index))
        closing->deleteLater();
    m_closing = false;
    m_window.strip->headersChanged();
    emit closed(index, address);
}

void Tabs::settleFocus(int index)
{
    const QWidget *focus = QApplication::focusWidget();
    if (!(holds(m_views(index), focus) || holds(m_editors(index), focus)
            || holds(m_headers(index), focus)))
        return;
    // Hiding the focused element would pass the focus along the focus chain, to whatever
    // comes next. It goes where the user's eyes go instead: the active tab's page (or its
    // source, when that is on show), or the address box when no tab is left.
    QWidget *next = m_window.address;
    const ::flik *header = headerAt(m_current);
    if (SourceEditor *editor = editorAt(m_current); editor && header && header->sourceShown())
        next = editor;
    else if (PageView *view = viewAt(m_current))
        next = view;
    next->setFocus(Qt::OtherFocusReason);
}
