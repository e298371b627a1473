#include "tab_header/headerface.h"

#include "common/twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

namespace {
// Room around the text inside panel 1, in pixels.
constexpr int textMargin = 6;
} // namespace

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

HeaderFace::HeaderFace(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HeaderFace::setPanelText(const QString &text)
{
    m_text = text;
    const int textPixels = fontMetrics().horizontalAdvance(text) + 2 * textMargin;
    m_panelWidth = qMax(minimumPanelWidth, Twips::fromPixels(textPixels));
    update();
}

void HeaderFace::setBevel(int bevel)
{
    m_bevel = bevel;
    update();
}

void HeaderFace::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette colours = palette();
    p.fillRect(rect(), colours.window());
    const QRect panel(0, 0, Twips::toPixels(m_panelWidth), height());
    if (m_bevel == bevelInset) {
        p.fillRect(panel.adjusted(1, 1, -1, -1), colours.base());
        p.setPen(colours.color(QPalette::Dark));
        p.drawLine(panel.topLeft(), panel.topRight());
        p.drawLine(panel.topLeft(), panel.bottomLeft());
        p.setPen(colours.color(QPalette::Light));
        p.drawLine(panel.bottomLeft(), panel.bottomRight());
        p.drawLine(panel.topRight(), panel.bottomRight());
    }
    p.setPen(colours.color(QPalette::WindowText));
    p.drawText(panel.adjusted(textMargin, 0, -textMargin, 0),
        Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, m_text);
}

void HeaderFace::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseDown(buttonCode(event->button()));
}
