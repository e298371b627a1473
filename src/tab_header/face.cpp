#include "common/twips.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTextDocument>

// Activation from the tab face, the search box and the progress box, and the tab menu.
void flik::StatusBar1_MouseDown(int Button)
{
    emit pressed();
    if (Button != 2) {
        emit activated(Activation::Full);
        return;
    }
    emit activated(Activation::KeepSourceMark);
    openMenu();
}

void flik::iconi_Click()
{
    emit activated(Activation::PageOnly);
}

void flik::searchicon_GotFocus()
{
    emit activated(Activation::PageOnly);
}

void flik::SearchText_Click()
{
    emit activated(Activation::RaiseOnly);
}

void flik::SearchText_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    // The owner navigates the tab's page, turns the header back into a normal tab and
    // captions it with the page's name.
    emit searchEntered(SearchText->text());
    KeyAscii = 0;
}

void flik::iconi_MouseDown(int Button)
{
    if (Button == 2)
        openMenu();
}

void flik::searchicon_MouseDown(int Button)
{
    if (Button == 2)
        openMenu();
}

void flik::prog_MouseDown(int Button)
{
    if (Button == 2)
        openMenu();
}

void flik::openMenu()
{
    // Modal, at the pointer; the chosen command runs before exec returns. The header may be
    // closed by a command, so nothing of it is touched afterwards.
    QMetaObject::invokeMethod(
        this, [this] { emit menuShown(minimenu); }, Qt::QueuedConnection);
    minimenu->exec(QCursor::pos());
}

bool flik::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == iconi
        && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)) {
        // Taken here, so that the press does not reach the search box frame as well.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (type == QEvent::MouseButtonPress)
            iconi_MouseDown(buttonCode(mouse->button()));
        else if (mouse->button() == Qt::LeftButton
            && iconi->rect().contains(mouse->position().toPoint()))
            iconi_Click();
        return true;
    }
    if (watched == searchicon) {
        if (type == QEvent::MouseButtonPress)
            searchicon_MouseDown(buttonCode(static_cast<QMouseEvent *>(event)->button()));
        else if (type == QEvent::FocusIn)
            searchicon_GotFocus();
    } else if (watched == SearchText) {
        if (type == QEvent::MouseButtonPress
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            SearchText_Click();
        } else if (type == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                int KeyAscii = 13;
                SearchText_KeyPress(KeyAscii);
                return KeyAscii == 0;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The tab's caption fitted onto its face, and the progress indicator.
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
