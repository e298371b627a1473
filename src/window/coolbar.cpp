#include "window/coolbar.h"

#include "common/twips.h"
#include "tabs/tabstrip.h"

#include <QComboBox>
#include <QToolBar>

namespace {

// Designed places in twips: left, top, height (widths follow the window).
constexpr double barHeight = 1065;
constexpr double toolbarLeft = 165, toolbarTop = 30, toolbarWidth = 2805, toolbarHeight = 570;
constexpr double addressLeft = 3195, addressTop = 150, addressHeight = 315;
constexpr double stripLeft = 165, stripTop = 630, stripHeight = 405;
constexpr double rightMargin = 90;

} // namespace

CoolBar::CoolBar(QWidget *parent)
    : QWidget(parent)
    , m_toolbar(new QToolBar(this))
    , m_address(new QComboBox(this))
    , m_strip(new TabStrip(this))
{
    setFixedHeight(Twips::toPixels(barHeight));
    m_toolbar->setIconSize(QSize(32, 32));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setAccessibleName(tr("Navigation"));
    m_address->setEditable(true);
    // The box adds nothing to its own list: completed pages are added by the window.
    m_address->setInsertPolicy(QComboBox::NoInsert);
    m_address->setAccessibleName(tr("Address"));
    m_strip->setAccessibleName(tr("Tabs"));
}

void CoolBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const double width = Twips::fromPixels(this->width());
    m_toolbar->setGeometry(Twips::toRect(toolbarLeft, toolbarTop, toolbarWidth, toolbarHeight));
    m_address->setGeometry(Twips::toRect(
        addressLeft, addressTop, qMax(2415.0, width - addressLeft - rightMargin), addressHeight));
    m_strip->setGeometry(Twips::toRect(
        stripLeft, stripTop, qMax(2415.0, width - stripLeft - rightMargin), stripHeight));
}
