#include "window/mainstatusbar.h"

#include "common/twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr double panel1Width = 10395, panelMinimum = 1440, panel2Width = 1440;
constexpr double barHeight = 345;
// A status text can be as long as a page cares to make it; what is shown is cut to this.
constexpr qsizetype shownCharacters = 2048;
} // namespace

MainStatusBar::MainStatusBar(QWidget *parent)
    : QStatusBar(parent)
    , m_panel1(new QLabel(this))
    , m_panel2Picture(new QLabel)
    , m_panel2Text(new QLabel)
{
    setSizeGripEnabled(true);
    setFixedHeight(Twips::toPixels(barHeight));
    m_panel1->setTextFormat(Qt::PlainText);
    m_panel1->setMinimumWidth(Twips::toPixels(panelMinimum));
    m_panel1->resize(Twips::toPixels(panel1Width), m_panel1->height());
    m_panel1->setAccessibleName(tr("Status"));
    addWidget(m_panel1, 1);

    auto *panel2 = new QWidget(this);
    auto *layout = new QHBoxLayout(panel2);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(3);
    layout->addWidget(m_panel2Picture);
    m_panel2Picture->installEventFilter(this);
    layout->addWidget(m_panel2Text, 1);
    m_panel2Text->setTextFormat(Qt::PlainText);
    panel2->setMinimumWidth(Twips::toPixels(panel2Width));
    panel2->setAccessibleName(tr("Page state"));
    addPermanentWidget(panel2);
}

void MainStatusBar::setPanel1Text(const QString &text)
{
    m_panel1Text = text;
    showPanel1();
}

void MainStatusBar::showPanel1()
{
    const QString shown = m_panel1Text.left(shownCharacters);
    m_panel1->setText(
        m_panel1->fontMetrics().elidedText(shown, Qt::ElideMiddle, qMax(0, m_panel1->width() - 4)));
    m_panel1->setAccessibleDescription(shown);
}

void MainStatusBar::setPanel2Picture(const QPixmap &picture, const QString &name)
{
    m_picture = picture;
    m_panel2Picture->setPixmap(picture);
    m_panel2Picture->setVisible(!picture.isNull());
    m_panel2Picture->setAccessibleName(name);
    m_panel2Picture->setToolTip(name);
}

bool MainStatusBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel2Picture && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        emit pictureClicked();
    return QStatusBar::eventFilter(watched, event);
}

void MainStatusBar::setPanel2Text(const QString &text)
{
    m_panel2Text->setText(text);
    m_panel2Text->setAccessibleName(text);
}

QString MainStatusBar::panel2Text() const
{
    return m_panel2Text->text();
}

void MainStatusBar::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    showPanel1();
}
