#include "tab_header/progressbox.h"

#include "common/twips.h"
#include "tab_header/headerface.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
// Where the fill and the cap sit, in twips, whatever the scale.
constexpr double barLeft = 90, barTop = 30, barHeight = 210;
constexpr double capTop = 10, capWidth = 75, capHeight = 240;
} // namespace

ProgressBox::ProgressBox(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(tr("Loading"));
}

void ProgressBox::setWidthTwips(double twips)
{
    m_width = twips;
    resize(Twips::toPixels(twips), height());
    update();
}

bool ProgressBox::setScaleWidth(double units)
{
    if (!(units > 0))
        return false;
    m_scale = units;
    update();
    return true;
}

bool ProgressBox::setBarWidth(double units)
{
    if (!(units >= 0))
        return false;
    m_bar = units;
    update();
    return true;
}

void ProgressBox::setEndCapLeft(double units)
{
    m_endCap = units;
    update();
}

double ProgressBox::endCapWidth() const
{
    return capWidth * m_scale / m_width;
}

double ProgressBox::toTwips(double units) const
{
    return units * m_width / m_scale;
}

void ProgressBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette colours = palette();
    p.fillRect(rect(), colours.base());
    p.setPen(colours.color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const auto px = [](double twips) { return Twips::toPixels(twips); };
    const double fill = qMin(toTwips(m_bar), m_width);
    p.fillRect(QRect(px(barLeft), px(barTop), px(fill), px(barHeight)), QColor(0x6a, 0x9a, 0x3c));
    p.fillRect(QRect(px(toTwips(m_endCap)), px(capTop), qMax(1, px(capWidth)), px(capHeight)),
        QColor(0x3d, 0x5a, 0x2a));
}

void ProgressBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseDown(buttonCode(event->button()));
}
