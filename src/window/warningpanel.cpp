#include "window/warningpanel.h"

#include "common/artwork.h"
#include "common/twips.h"

#include <QLabel>
#include <QToolButton>

namespace {
constexpr double closerTop = 70;
constexpr int closerPixels = 14;
} // namespace

WarningPanel::WarningPanel(QWidget *parent)
    : QFrame(parent)
    , Image1(new QLabel(this))
    , Label1(new QLabel(this))
    , message(new QLabel(this))
    , closer(new QToolButton(this))
{
    setFixedHeight(Twips::toPixels(designHeight));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 254, 206));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAccessibleName(tr("Warning"));
    buildTexts();

    closer->setIcon(QIcon(Artwork::closeBox(closerPixels)));
    closer->setIconSize(QSize(closerPixels, closerPixels));
    closer->setAutoRaise(true);
    closer->setFixedSize(closerPixels, closerPixels);
    closer->setAccessibleName(tr("Close warning"));
    closer->setToolTip(tr("Close warning"));
    setCloserLeft(m_closerLeft);
    connect(closer, &QToolButton::clicked, this, &WarningPanel::closeClicked);
}

// The sign, the bold title line and the message below it.
void WarningPanel::buildTexts()
{
    Image1->setPixmap(Artwork::warningSign());
    Image1->move(Twips::toPixels(30), 0);
    Image1->resize(Image1->pixmap().size());
    Image1->setAccessibleName(tr("Warning sign"));

    QFont bold(QStringLiteral("Arial"));
    bold.setPointSizeF(8.25);
    bold.setBold(true);
    Label1->setTextFormat(Qt::PlainText);
    message->setTextFormat(Qt::PlainText);
    Label1->setFont(bold);
    Label1->move(Twips::toPixels(600), Twips::toPixels(45));
    setTitle(tr("Warning this site might be harmfull to your system."));

    message->move(Twips::toPixels(600), Twips::toPixels(240));
    setMessage(tr("The "));
}

void WarningPanel::setTitle(const QString &text)
{
    Label1->setText(text);
    Label1->adjustSize();
    Label1->setAccessibleName(text);
}

void WarningPanel::setMessage(const QString &text)
{
    message->setText(text);
    message->adjustSize();
    message->setAccessibleName(text);
}

QString WarningPanel::title() const
{
    return Label1->text();
}

QString WarningPanel::messageText() const
{
    return message->text();
}

void WarningPanel::setCloserLeft(double twips)
{
    m_closerLeft = twips;
    closer->move(Twips::toPixels(twips), Twips::toPixels(closerTop));
}

double WarningPanel::closerWidth()
{
    return Twips::fromPixels(closerPixels);
}

void WarningPanel::tell(const std::optional<QString> &title, const QString &message)
{
    show();
    if (title)
        setTitle(*title);
    setMessage(message);
}
