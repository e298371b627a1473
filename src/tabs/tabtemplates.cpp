#include "tabs/tabtemplates.h"

#include "common/twips.h"
#include "tab_header/flik.h"
#include "tabs/sourceeditor.h"
#include "tabs/tabstrip.h"

TabTemplates::TabTemplates(QWidget *container, TabStrip *strip, PageViewFactory factory)
    : m_container(container)
    , m_strip(strip)
    , m_factory(std::move(factory))
{ }

void TabTemplates::load()
{
    m_page = m_factory(m_container);
    m_page->setGeometry(Twips::toRect(0, 0, 7815, 5295));
    m_page->hide();

    m_source = new SourceEditor(m_container);
    m_source->setGeometry(Twips::toRect(0, 0, 11955, 5775));
    m_source->hide();

    m_header = new ::flik(m_strip->headers());
    m_header->setLeft(-1440);
    m_header->hide();
}

std::optional<TabTemplates::Elements> TabTemplates::make(
    int index, const ::flik *previous, Order order)
{
    if (!m_header || !m_page || !m_source)
        return std::nullopt;
    Elements made;
    made.header = new ::flik(m_strip->headers());
    made.header->copyConfiguration(*m_header);
    made.header->hide();
    if (previous)
        made.header->setLeft(previous->place().left + previous->place().width);
    made.header->indexer(static_cast<float>(index));
    made.header->show();
    m_strip->headerAdded(made.header);

    made.page = m_factory(m_container);
    made.page->setGeometry(m_page->geometry());
    made.page->hide();
    const auto makeSource = [this] {
        auto *editor = new SourceEditor(m_container);
        editor->copyConfiguration(*m_source);
        editor->setGeometry(m_source->geometry());
        editor->hide();
        return editor;
    };
    if (order == Order::SourceFirst)
        made.source = makeSource();
    made.page->show();
    if (!made.source)
        made.source = makeSource();
    return made;
}
