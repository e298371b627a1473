#include "common/artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

namespace {

const QColor ink(0x3d, 0x5a, 0x2a);
const QColor leaf(0x6a, 0x9a, 0x3c);

QPixmap canvas(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawVineMark(QPainter &p, const QRectF &r)
{
    p.setRenderHint(QPainter::Antialiasing);
    const double u = r.width() / 64.0;
    auto at = [&](double x, double y) { return QPointF(r.left() + x * u, r.top() + y * u); };
    p.setPen(QPen(ink, 3 * u));
    p.setBrush(QColor(0xf4, 0xf4, 0xee));
    p.drawRoundedRect(QRectF(at(4, 14), at(60, 58)), 5 * u, 5 * u);
    p.drawLine(at(4, 22), at(60, 22));
    p.setPen(QPen(ink, 2 * u));
    p.setBrush(leaf);
    p.drawRoundedRect(QRectF(at(8, 6), at(30, 18)), 3 * u, 3 * u);
    QPainterPath path(at(16, 50));
    path.cubicTo(at(20, 34), at(34, 28), at(50, 30));
    path.cubicTo(at(44, 40), at(32, 48), at(16, 50));
    p.drawPath(path);
}

// Every tab draws the same few pictures; they are drawn once.
template <typename Draw> QPixmap cached(const QString &key, Draw draw)
{
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = draw();
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

QPixmap arrow(bool left)
{
    QPixmap pixmap = canvas(QSize(32, 32));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 2));
    p.setBrush(leaf);
    QPolygonF shape(
        { { 4, 16 }, { 16, 4 }, { 16, 11 }, { 28, 11 }, { 28, 21 }, { 16, 21 }, { 16, 28 } });
    if (!left)
        shape = QTransform(-1, 0, 0, 1, 32, 0).map(shape);
    p.drawPolygon(shape);
    return pixmap;
}

} // namespace

namespace Artwork {

QIcon windowIcon()
{
    QIcon icon;
    for (const int size : { 16, 32, 64 }) {
        QPixmap pixmap = canvas(QSize(size, size));
        QPainter p(&pixmap);
        drawVineMark(p, QRectF(0, 0, size, size));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon toolbarIcon(const QString &key)
{
    if (key == u"back")
        return QIcon(arrow(true));
    if (key == u"forward")
        return QIcon(arrow(false));
    QPixmap pixmap = canvas(QSize(32, 32));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (key == u"stop") {
        p.setPen(QPen(QColor(0x8a, 0x1c, 0x1c), 2));
        p.setBrush(QColor(0xd2, 0x3a, 0x3a));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11, 11), QPointF(21, 21));
        p.drawLine(QPointF(21, 11), QPointF(11, 21));
        p.end();
        return QIcon(pixmap);
    }
    p.setPen(QPen(ink, 3));
    p.setBrush(QColor(0xf4, 0xf4, 0xee));
    p.drawEllipse(QRectF(3, 3, 19, 19));
    p.setPen(QPen(ink, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    p.setPen(QPen(ink, 2.5));
    p.drawLine(QPointF(8, 12.5), QPointF(17, 12.5));
    p.drawLine(QPointF(12.5, 8), QPointF(12.5, 17));
    p.end();
    return QIcon(pixmap);
}

static QPixmap drawNewTab()
{
    QPixmap pixmap = canvas(QSize(12, 15));
    QPainter p(&pixmap);
    p.setPen(QPen(ink, 2));
    p.drawLine(QPointF(6, 3), QPointF(6, 13));
    p.drawLine(QPointF(1, 8), QPointF(11, 8));
    return pixmap;
}

static QPixmap drawCloseBox(int size)
{
    QPixmap pixmap = canvas(QSize(size, size));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.setBrush(QColor(0xf0, 0xf0, 0xf0));
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 2, 2);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.6, Qt::SolidLine, Qt::RoundCap));
    const double m = size * 0.3;
    p.drawLine(QPointF(m, m), QPointF(size - m, size - m));
    p.drawLine(QPointF(size - m, m), QPointF(m, size - m));
    return pixmap;
}

static QPixmap drawWarningSign()
{
    QPixmap pixmap = canvas(QSize(38, 32));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x6b, 0x4a, 0x00), 2));
    p.setBrush(QColor(0xf5, 0xc2, 0x11));
    p.drawPolygon(QPolygonF({ { 19, 2 }, { 36, 30 }, { 2, 30 } }));
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 11), QPointF(19, 20));
    p.drawPoint(QPointF(19, 25));
    return pixmap;
}

static QPixmap drawLock(QSize size)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();
    p.setPen(QPen(QColor(0x6b, 0x55, 0x10), qMax(1.5, w / 8)));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(w * 0.22, h * 0.05, w * 0.56, h * 0.6), 0, 180 * 16);
    p.drawLine(QPointF(w * 0.22, h * 0.35), QPointF(w * 0.22, h * 0.5));
    p.drawLine(QPointF(w * 0.78, h * 0.35), QPointF(w * 0.78, h * 0.5));
    p.setPen(QPen(QColor(0x6b, 0x55, 0x10), 1));
    p.setBrush(QColor(0xe3, 0xb5, 0x2b));
    p.drawRoundedRect(QRectF(0.5, h * 0.45, w - 1, h * 0.55 - 0.5), 1.5, 1.5);
    return pixmap;
}

static QPixmap drawDownload()
{
    QPixmap pixmap = canvas(QSize(15, 19));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1));
    p.setBrush(leaf);
    p.drawPolygon(
        QPolygonF({ { 5, 1 }, { 10, 1 }, { 10, 8 }, { 14, 8 }, { 7.5, 15 }, { 1, 8 }, { 5, 8 } }));
    p.setPen(QPen(ink, 2));
    p.drawLine(QPointF(1, 18), QPointF(14, 18));
    return pixmap;
}

static QPixmap drawMagnifier()
{
    QPixmap pixmap = canvas(QSize(14, 15));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.6));
    p.drawEllipse(QRectF(1, 1, 8.5, 8.5));
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 9.5), QPointF(13, 13.5));
    return pixmap;
}

QPixmap aboutPicture()
{
    QPixmap pixmap(332, 313);
    pixmap.fill(QColor(0xfa, 0xfa, 0xf4));
    QPainter p(&pixmap);
    QLinearGradient sky(0, 0, 0, 313);
    sky.setColorAt(0, QColor(0xe8, 0xf1, 0xdc));
    sky.setColorAt(1, QColor(0xfa, 0xfa, 0xf4));
    p.fillRect(pixmap.rect(), sky);
    drawVineMark(p, QRectF(46, 36, 240, 240));
    return pixmap;
}

QPixmap newTab()
{
    return cached(QStringLiteral("tessarvine-newtab"), drawNewTab);
}

QPixmap closeBox(int size)
{
    return cached(
        QStringLiteral("tessarvine-close-%1").arg(size), [size] { return drawCloseBox(size); });
}

QPixmap warningSign()
{
    return cached(QStringLiteral("tessarvine-warning"), drawWarningSign);
}

QPixmap lock(QSize size)
{
    return cached(QStringLiteral("tessarvine-lock-%1x%2").arg(size.width()).arg(size.height()),
        [size] { return drawLock(size); });
}

QPixmap download()
{
    return cached(QStringLiteral("tessarvine-download"), drawDownload);
}

QPixmap magnifier()
{
    return cached(QStringLiteral("tessarvine-magnifier"), drawMagnifier);
}

} // namespace Artwork
