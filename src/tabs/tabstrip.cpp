#include "tabs/tabstrip.h"

#include "common/twips.h"

#include <QMimeData>
#include <QToolButton>
#include <QWheelEvent>

namespace {

constexpr int arrowPixels = 14;
// An arrow press scrolls by a header of the designed width; a wheel notch by half that.
constexpr double arrowStepTwips = 1845;
constexpr int wheelNotch = 120;

QToolButton *makeArrow(Qt::ArrowType direction, const QString &name, QWidget *parent)
{
    auto *arrow = new QToolButton(parent);
    arrow->setArrowType(direction);
    arrow->setAutoRaise(true);
    arrow->setAutoRepeat(true);
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setAccessibleName(name);
    arrow->setToolTip(name);
    arrow->hide();
    return arrow;
}

// The addresses a drop carries: its links and files, or else the first line of its text.
QStringList droppedAddresses(const QMimeData *data)
{
    QStringList addresses;
    if (data->hasUrls()) {
        for (const QUrl &url : data->urls()) {
            if (url.isValid() && addresses.size() < TabStrip::droppedAtMost)
                addresses.append(url.toString());
        }
    } else if (data->hasText()) {
        const QString line = data->text().section(QLatin1Char('\n'), 0, 0).trimmed();
        if (!line.isEmpty())
            addresses.append(line);
    }
    return addresses;
}

} // namespace

TabStrip::TabStrip(QWidget *parent)
    : QWidget(parent)
    , scrollLeft(makeArrow(Qt::LeftArrow, tr("Scroll tabs left"), this))
    , scrollRight(makeArrow(Qt::RightArrow, tr("Scroll tabs right"), this))
    , m_viewport(new QWidget(this))
    , m_headers(new QWidget(m_viewport))
{
    const int step = Twips::toPixels(arrowStepTwips);
    connect(scrollLeft, &QToolButton::clicked, this, [this, step] { scrollBy(-step); });
    connect(scrollRight, &QToolButton::clicked, this, [this, step] { scrollBy(step); });
    setAcceptDrops(true);
}

void TabStrip::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedAddresses(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TabStrip::dropEvent(QDropEvent *event)
{
    const QStringList addresses = droppedAddresses(event->mimeData());
    if (addresses.isEmpty())
        return;
    event->acceptProposedAction();
    emit addressesDropped(addresses);
}

bool TabStrip::overflows() const
{
    return !scrollRight->isHidden();
}

void TabStrip::scrollBy(int pixels)
{
    if (m_relayoutPending)
        relayout();
    setOffset(m_offset + pixels);
}

void TabStrip::ensureVisible(QWidget *header)
{
    if (!header || header->parentWidget() != m_headers)
        return;
    m_shown = header;
    if (m_relayoutPending || !m_extentKnown)
        relayout();
    m_extent = qMax(m_extent, header->geometry().right() + 1);
    const int start = header->x() - Twips::toPixels(headersLeft);
    const int end = start + header->width();
    const int room = m_viewport->width();
    int offset = m_offset;
    if (end > offset + room)
        offset = end - room;
    if (start < offset)
        offset = start;
    setOffset(offset);
}

int TabStrip::extent()
{
    if (!m_extentKnown) {
        m_extent = 0;
        for (QObject *child : m_headers->children()) {
            auto *widget = qobject_cast<QWidget *>(child);
            if (widget && !widget->isHidden())
                m_extent = qMax(m_extent, widget->geometry().right() + 1);
        }
        m_extentKnown = true;
    }
    return m_extent;
}

void TabStrip::headerAdded(QWidget *header)
{
    // Known without measuring every header, so that opening many tabs costs each the same.
    if (m_extentKnown)
        m_extent = qMax(m_extent, header->geometry().right() + 1);
    scheduleRelayout();
}

void TabStrip::headersChanged()
{
    m_extentKnown = false;
    scheduleRelayout();
}

void TabStrip::scheduleRelayout()
{
    if (m_relayoutPending)
        return;
    // Many headers move at once when one closes or changes its caption: one layout after.
    m_relayoutPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_relayoutPending)
                relayout();
        },
        Qt::QueuedConnection);
}

void TabStrip::relayout()
{
    m_relayoutPending = false;
    const int left = Twips::toPixels(headersLeft);
    const int room = qMax(0, width() - left);
    const bool overflow = extent() - left > room;
    const int arrows = overflow ? 2 * arrowPixels : 0;
    m_viewport->setGeometry(left, 0, qMax(0, room - arrows), height());
    scrollLeft->setGeometry(width() - 2 * arrowPixels, 0, arrowPixels, height());
    scrollRight->setGeometry(width() - arrowPixels, 0, arrowPixels, height());
    scrollLeft->setVisible(overflow);
    scrollRight->setVisible(overflow);
    setOffset(m_offset);
}

void TabStrip::setOffset(int pixels)
{
    const int left = Twips::toPixels(headersLeft);
    const int room = m_viewport->width();
    const int row = extent() - left;
    m_offset = qBound(0, pixels, qMax(0, row - room));
    m_headers->setGeometry(-left - m_offset, 0, qMax(extent(), left + m_offset + room), height());
    scrollLeft->setEnabled(m_offset > 0);
    scrollRight->setEnabled(m_offset < row - room);
}

void TabStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_extentKnown = false;
    relayout();
    // The active header stays in sight when the strip becomes narrower.
    if (m_shown)
        ensureVisible(m_shown);
}

void TabStrip::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    const int notches = delta.x() != 0 ? delta.x() : delta.y();
    if (notches == 0 || !overflows()) {
        event->ignore();
        return;
    }
    scrollBy(-notches * Twips::toPixels(arrowStepTwips / 2) / wheelNotch);
    event->accept();
}
