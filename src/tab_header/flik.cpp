// The tab header's structure, geometry, lock mark and the activation of its tab.
#include "tab_header/flik.h"

#include "common/artwork.h"
#include "common/twips.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"
#include "tab_header/soundmark.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

namespace {

// A menu item whose handler decides its check mark: the item's own toggle is undone.
QAction *addModeItem(QMenu *menu, const QString &caption, flik *header, void (flik::*handler)())
{
    QAction *item = menu->addAction(caption);
    item->setCheckable(true);
    QObject::connect(item, &QAction::triggered, header, [item, header, handler](bool checked) {
        item->setChecked(!checked);
        (header->*handler)();
    });
    return item;
}

} // namespace

flik::flik(QWidget *parent)
    : QWidget(parent)
    , StatusBar1(new HeaderFace(this))
    , secure(new QLabel(this))
    , closer(new QToolButton(this))
    , prog(new ProgressBox(this))
    , searchicon(new QWidget(this))
    , iconi(new QLabel(searchicon))
    , SearchText(new QLineEdit(searchicon))
    , minimenu(new QMenu(tr("minimenu"), this))
{
    // Keyboard users reach a tab with Tab; a mouse press activates through the face.
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(tr("Tab"));

    // Named as designed, so that a test (or a style sheet) can tell the parts apart.
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    secure->setObjectName(QStringLiteral("secure"));
    closer->setObjectName(QStringLiteral("closer"));
    prog->setObjectName(QStringLiteral("prog"));
    searchicon->setObjectName(QStringLiteral("searchicon"));
    iconi->setObjectName(QStringLiteral("iconi"));
    SearchText->setObjectName(QStringLiteral("SearchText"));
    minimenu->setObjectName(QStringLiteral("minimenu"));

    StatusBar1->setPanelText(tr("Loading..."));
    connect(StatusBar1, &HeaderFace::mouseDown, this, &flik::StatusBar1_MouseDown);
    buildMarks();
    buildSearchField();

    viewsearch = addModeItem(minimenu, tr("View search"), this, &flik::viewsearch_Click);
    vs = addModeItem(minimenu, tr("View Source"), this, &flik::vs_Click);

    setHeight(345);
    applyGeometry();
}

// The lock mark, the close box and the progress bar over the face.
void flik::buildMarks()
{
    secure->setPixmap(Artwork::lock(QSize(12, 15)));
    secure->setGeometry(Twips::toRect(60, 70, 180, 225));
    secure->setAccessibleName(tr("Encrypted"));
    secure->hide();

    closer->setIcon(QIcon(Artwork::closeBox(16)));
    closer->setIconSize(QSize(16, 16));
    closer->setAutoRaise(true);
    closer->setFixedSize(16, 16);
    closer->setAccessibleName(tr("Close tab"));
    closer->setToolTip(tr("Close tab"));
    placeCloser(m_closerLeft);
    connect(closer, &QToolButton::clicked, this, &flik::closer_Click);

    prog->setGeometry(Twips::toRect(15, 45, 1420, 255));
    prog->hide();
    connect(prog, &ProgressBox::mouseDown, this, &flik::prog_MouseDown);
}

// What a search tab shows instead of its face: the magnifier and the search text.
void flik::buildSearchField()
{
    searchicon->setGeometry(Twips::toRect(0, 30, 1455, 315));
    searchicon->setAutoFillBackground(true);
    searchicon->setFocusPolicy(Qt::TabFocus);
    searchicon->installEventFilter(this);
    searchicon->hide();
    iconi->setPixmap(Artwork::magnifier());
    iconi->setGeometry(Twips::toRect(30, 30, 210, 225));
    iconi->setAccessibleName(tr("Search"));
    iconi->installEventFilter(this);
    SearchText->setGeometry(Twips::toRect(270, 50, 1170, 230));
    SearchText->setFrame(false);
    SearchText->setAccessibleName(tr("Search text"));
    SearchText->installEventFilter(this);
}

void flik::copyConfiguration(const flik &model)
{
    m_left = model.m_left;
    m_top = model.m_top;
    m_width = model.m_width;
    m_height = model.m_height;
    applyGeometry();
}

void flik::applyGeometry()
{
    setGeometry(Twips::toRect(m_left, m_top, m_width, m_height));
    // The face is aligned to the header's top and always spans its width.
    StatusBar1->setGeometry(0, 0, width(), Twips::toPixels(345));
}

void flik::setLeft(float twips)
{
    m_left = twips;
    move(Twips::toPixels(m_left), Twips::toPixels(m_top));
}

void flik::setWidth(float twips)
{
    if (twips == m_width || !(twips >= 0))
        return;
    m_width = twips;
    applyGeometry();
    UserControl_Resize();
}

void flik::setHeight(float twips)
{
    m_height = twips;
    applyGeometry();
}

void flik::placeCloser(float twips)
{
    m_closerLeft = twips;
    closer->move(Twips::toPixels(twips), Twips::toPixels(70));
    if (m_sound)
        m_sound->move(closer->x() - m_sound->width() - 1, closer->y());
}

void flik::showSound(bool audible, bool muted)
{
    if (!m_sound) {
        m_sound = new SoundMark(this);
        connect(m_sound, &QToolButton::clicked, this, &flik::muteClicked);
        placeCloser(m_closerLeft);
    }
    m_sound->show(audible, muted);
}

double flik::panelWidth() const
{
    return StatusBar1->panelWidth();
}

void flik::UserControl_Resize()
{
    setHeight(345);
    placeCloser(static_cast<float>(panelWidth()) + 50);
    setWidth(static_cast<float>(panelWidth()) + 400);
}

void flik::indexer(float ind)
{
    myindex = ind;
}

void flik::normal()
{
    StatusBar1->setBevel(HeaderFace::bevelNone);
}

void flik::safe()
{
    secure->show();
}

void flik::unsafe()
{
    secure->hide();
}

void flik::sellect()
{
    emit activated(Activation::Full);
}

void flik::closer_Click()
{
    emit closeRequested();
}

void flik::viewsearch_Click()
{
    emit menuCommand(TabCommand::ViewSearch);
}

void flik::vs_Click()
{
    emit menuCommand(TabCommand::ViewSource);
}

void flik::markSelected()
{
    StatusBar1->setBevel(HeaderFace::bevelInset);
}

HeaderLook flik::look() const
{
    return { .caption = StatusBar1->panelText(),
        .bevel = StatusBar1->bevel(),
        .lock = !secure->isHidden(),
        .progress = !prog->isHidden(),
        .searchTab = viewsearch->isChecked(),
        .sourceShown = vs->isChecked() };
}

void flik::setSearchTab(bool search)
{
    searchicon->setVisible(search);
    if (search)
        searchicon->raise();
    viewsearch->setChecked(search);
}

void flik::setSourceShown(bool shown)
{
    vs->setChecked(shown);
}

void flik::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    emit focused();
}
