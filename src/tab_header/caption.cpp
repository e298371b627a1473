// The tab's caption fitted onto its face, and the progress indicator.
#include "main_window/form1.h"
#include "main_window/twips.h"
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

QString plainTip(const QString &text)
{
    if (text.isEmpty())
        return QString();
    return Qt::convertFromPlainText(text.left(tipCharacters), Qt::WhiteSpaceNoWrap);
}

} // namespace

void flik::Caption(const QString &bajs)
{
    // The main window's 50-character field does the cutting.
    form.Text1->setText(bajs);
    const QString tip = plainTip(bajs);
    prog->setToolTip(tip);
    StatusBar1->setToolTip(tip);
    QString caption = form.Text1->text();
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

    // Close up (or move apart) the headers to the right, so that the next one starts
    // exactly at this header's right edge.
    const auto me = toTabIndex(myindex);
    if (!me)
        return;
    const int next = *me + 1;
    const int last = form.flik.ubound();
    if (next > last)
        return;
    flik *neighbour = form.flik(next);
    if (!neighbour)
        return;
    const float gap = neighbour->Left() - (Left() + Width());
    for (int j = next; j <= last; ++j) {
        if (flik *header = form.flik(j))
            header->setLeft(header->Left() - gap);
    }
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
