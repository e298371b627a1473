// The tab's caption fitted onto its face, and the progress indicator.
#include "common/twips.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>

namespace {

// A tooltip that looks like markup is drawn as markup, and a page chooses its title: an
// <img> in it would have the tooltip open whatever file it names. The title goes in as
// markup that shows exactly its text. A title can be as long as a page makes it; what is
// shown is cut to this.
constexpr qsizetype tipCharacters = 2048;
// The face shows this much of a caption; the window's hidden 50-character field used to
// do the cutting.
constexpr qsizetype captionCharacters = 50;

QString plainTip(const QString &text)
{
    if (text.isEmpty())
        return QString();
    return Qt::convertFromPlainText(text.left(tipCharacters), Qt::WhiteSpaceNoWrap);
}

} // namespace

void flik::Caption(const QString &bajs)
{
    const QString tip = plainTip(bajs);
    prog->setToolTip(tip);
    StatusBar1->setToolTip(tip);
    // A tooltip reaches a screen reader as the widget's description, markup and all; the
    // title goes there as the plain text it is.
    const QString plain = bajs.left(tipCharacters);
    prog->setAccessibleDescription(plain);
    StatusBar1->setAccessibleDescription(plain);
    QString caption = bajs.left(captionCharacters);
    if (!searchicon->isHidden())
        caption = tr("Search");

    if (!secure->isHidden()) {
        // The lock mark lies over the panel's left end.
        StatusBar1->setPanelText(QStringLiteral("     ") + caption);
    } else {
        StatusBar1->setPanelText(caption);
        SearchText->resize(Twips::toPixels(panelWidth() - 270), SearchText->height());
    }
    setAccessibleName(caption);
    setWidth(static_cast<float>(panelWidth()) + 400);
    prog->setWidthTwips(panelWidth());

    // The headers to the right close up (or move apart), so that the next one starts
    // exactly at this header's right edge; their owner moves them.
    emit widthChanged();
}

void flik::progg(float &prg, float &prgmax)
{
    prog->setScaleWidth(prgmax);
    prog->setBarWidth(prg);
    prog->show();
    prog->raise();
    prog->setEndCapLeft(prg + prog->endCapWidth());
}

void flik::hideprog()
{
    prog->hide();
}
