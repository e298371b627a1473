#include "window/aboutbox.h"

#include "common/artwork.h"
#include "common/twips.h"

#include <QLabel>
#include <QPushButton>

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
            | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
    , Picture1(new QLabel(this))
    , Label1(new QLabel(this))
    , Label2(new QLabel(this))
    , Ok(new QPushButton(tr("Ok"), this))
{
    setWindowTitle(tr("Tessarvine - About"));
    setWindowIcon(Artwork::windowIcon());
    setModal(false);
    setFixedSize(Twips::toPixels(8640), Twips::toPixels(5235));

    Picture1->setFrameShape(QFrame::Box);
    Picture1->setPixmap(Artwork::aboutPicture());
    Picture1->move(Twips::toPixels(240), Twips::toPixels(240));
    Picture1->adjustSize();
    Picture1->setAccessibleName(tr("Tessarvine"));

    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPointSizeF(14.25);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label1->setText(tr("Tessarvine 2 BETA"));
    Label1->move(Twips::toPixels(5400), Twips::toPixels(240));
    Label1->adjustSize();

    Label2->setWordWrap(true);
    Label2->setText(tr("Made by the Tessarvine developers, https://tessarvine.org\n"
                       "Created in December 2026\n"
                       "Written by the Tessarvine team"));
    Label2->move(Twips::toPixels(5400), Twips::toPixels(600));
    Label2->setFixedWidth(Twips::toPixels(2925));
    Label2->adjustSize();

    Ok->setGeometry(Twips::toRect(7080, 4560, 1455, 495));
    Ok->setDefault(true);
    connect(Ok, &QPushButton::clicked, this, &AboutBox::Ok_Click);
}

void AboutBox::Ok_Click()
{
    hide();
}
