// The tab header's structure, geometry, lock mark and the activation of its tab.
#include "tab_header/flik.h"

#include "hosted/sourceeditor.h"
#include "main_window/artwork.h"
#include "main_window/form1.h"
#include "main_window/mainstatusbar.h"
#include "main_window/tabstrip.h"
#include "main_window/twips.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <utility>

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

flik::flik(Form1 &form, QWidget *parent)
    : QWidget(parent)
    , StatusBar1(new HeaderFace(this))
    , secure(new QLabel(this))
    , closer(new QToolButton(this))
    , prog(new ProgressBox(this))
    , searchicon(new QWidget(this))
    , iconi(new QLabel(searchicon))
    , SearchText(new QLineEdit(searchicon))
    , minimenu(new QMenu(tr("minimenu"), this))
    , form(form)
{
    // Keyboard users reach a tab with Tab; a mouse press activates through the face.
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(tr("Tab"));

    StatusBar1->setPanelText(tr("Loading..."));
    connect(StatusBar1, &HeaderFace::mouseDown, this, &flik::StatusBar1_MouseDown);

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

    viewsearch = addModeItem(minimenu, tr("View search"), this, &flik::viewsearch_Click);
    vs = addModeItem(minimenu, tr("View Source"), this, &flik::vs_Click);

    setHeight(345);
    applyGeometry();
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
    activate(ViewStep::Full);
}

void flik::activate(ViewStep viewStep)
{
    // Clearing every header's selection only changes the ones drawn selected, and only
    // activation draws a header selected: those are cleared, whatever the number of tabs.
    for (const QPointer<flik> &header : std::exchange(form.selectedHeaders, {})) {
        if (header)
            header->normal();
    }
    StatusBar1->setBevel(HeaderFace::bevelInset);
    form.selectedHeaders.push_back(this);
    showViews(viewStep);
    if (myindex != form.current)
        form.lastone = form.current;
    form.current = myindex;
    if (PageView *view = form.viewAt(myindex))
        form.address->setEditText(view->LocationURL());
    if (!secure->isHidden()) {
        form.StatusBar1->setPanel2Picture(form.lock->pixmap());
        form.StatusBar1->setPanel2Text(tr("Encrypted"));
    } else {
        form.StatusBar1->setPanel2Picture(QPixmap());
        form.StatusBar1->setPanel2Text(QString());
    }
    form.Picture1->ensureVisible(this);
}

void flik::showViews(ViewStep viewStep)
{
    PageView *view = form.viewAt(myindex);
    SourceEditor *editor = form.editorAt(myindex);
    const bool sourceShown = vs->isChecked();
    if (viewStep == ViewStep::Full)
        form.sc->setChecked(sourceShown);
    if (view)
        view->raise();
    if (!sourceShown || viewStep == ViewStep::PageOnly || !editor)
        return;
    if (viewStep != ViewStep::RaiseOnly)
        editor->show();
    editor->raise();
}

void flik::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (const auto index = toTabIndex(myindex))
        form.flik_GotFocus(*index);
}
