#include "window/form1.h"

#include "common/artwork.h"
#include "common/twips.h"
#include "page_tools/pagetools.h"
#include "tab_header/flik.h"
#include "tabs/addressbox.h"
#include "tabs/sourceeditor.h"
#include "tabs/tab.h"
#include "tabs/tabrest.h"
#include "tabs/tabs.h"
#include "tabs/tabstrip.h"
#include "window/aboutbox.h"
#include "window/addresscontroller.h"
#include "window/coolbar.h"
#include "window/keyboard.h"
#include "window/mainstatusbar.h"
#include "window/statuspanels.h"
#include "window/tabopening.h"
#include "window/warningpanel.h"
#include "window/windowclosing.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <utility>

namespace {

// A checkable menu item toggles its own mark before its handler runs; the handlers here
// decide the mark themselves, so the item's own toggle is undone first.
QAction *addCheckItem(
    QMenu *menu, const QString &caption, bool checked, Form1 *form, void (Form1::*handler)())
{
    QAction *item = menu->addAction(caption);
    item->setCheckable(true);
    item->setChecked(checked);
    QObject::connect(item, &QAction::triggered, form, [item, form, handler](bool nowChecked) {
        item->setChecked(!nowChecked);
        (form->*handler)();
    });
    return item;
}

} // namespace

Form1::Form1(PageViewFactory factory, Addresses addresses, QWidget *parent)
    : QMainWindow(parent)
    , m_addresses(std::move(addresses))
{
    setWindowTitle(tr("Tessarvine 2 BETA"));
    setWindowIcon(Artwork::windowIcon());
    resize(Twips::toPixels(12150), Twips::toPixels(8625));
    buildMenus();
    buildControls();
    buildJobs(std::move(factory));
}

// The window's jobs beyond its controls, each a class of its own.
void Form1::buildJobs(PageViewFactory factory)
{
    m_tabs = new Tabs({ container, Picture1, m_addressShown, sc,
                          [this](bool encrypted) { m_panels->showLock(encrypted); } },
        std::move(factory), m_addresses.searchService, this);
    connect(m_tabs, &Tabs::headerPressed, this, [this] {
        closer_Click();
        Form_Resize();
    });
    connect(m_tabs, &Tabs::headerFocused, this, &Form1::flik_GotFocus);
    auto *rest = new TabRest([this] { return m_tabs->all(); }, m_addresses.sleepAfterMs, this);
    connect(m_tabs, &Tabs::frontChanged, rest, [rest](Tab *front, Tab *covered) {
        if (front)
            rest->inFront(front);
        if (covered)
            rest->covered(covered);
    });
    m_panels = new StatusPanels(
        StatusBar1, lock->pixmap(), downloadico->pixmap(),
        [this] {
            const Tab *front = m_tabs->front();
            return front && front->header()->look().lock;
        },
        this);
    m_address = new AddressController(address, *m_addressShown, *m_tabs, *m_panels,
        [this](int &KeyAscii) { address_KeyPress(KeyAscii); });
    m_opening = new TabOpening(*this, *m_tabs, *Picture1, *m_address, *m_panels);
    m_pageTools = new PageTools(
        *this, *m_tabs, { menuBar(), CoolBar1, infopanel, StatusBar1 }, [this] { Form_Resize(); },
        [this](const QString &text) { m_panels->setStatusText(text); });
    connect(m_panels, &StatusPanels::downloadsClicked, m_pageTools, &PageTools::showDownloads);
    m_closing = new WindowClosing(
        *this, *m_tabs, [this] { return m_running ? m_running() : QList<Download *>(); });
    new Shortcuts({ this, m_tabs, &m_pageTools->fullScreen(), [this] { m_address->focus(); },
        [this] { m_opening->openToType(); }, [this] { m_opening->reopenClosedTab(); },
        [this] { sc_Click(); }, [this] { m_pageTools->printPage(); },
        [this] { m_pageTools->savePage(); }, [this] { m_pageTools->showDownloads(); },
        [this](const QString &key) { Toolbar1_ButtonClick(key); },
        [this](int item) { Toolbar1_ButtonMenuClick(item); } });
}

void Form1::setRunningDownloads(RunningDownloads running)
{
    m_running = std::move(running);
    m_panels->setRunningDownloads(m_running);
}

Form1::~Form1()
{
    // Views go before anything their late signals could reach. Closing the window moves
    // the focus out of the address box and the tabs, which then report: not to this any
    // more.
    m_tabs->disconnectViews();
    address->disconnect(this);
    m_tabs->disconnect(this);
    delete about;
}

void Form1::buildMenus()
{
    QMenu *mnunew = menuBar()->addMenu(tr("New"));
    // As TabOpening::openToType, through the menu item's own handler.
    mnutab = mnunew->addAction(tr("Tab"), this, [this] {
        mnutab_Click();
        m_address->focus();
    });
    mnusearch = mnunew->addAction(tr("Search Tab"), this, &Form1::mnusearch_Click);
    mnutab->setObjectName(QStringLiteral("mnutab"));
    mnusearch->setObjectName(QStringLiteral("mnusearch"));

    QMenu *sett = menuBar()->addMenu(tr("Settings"));
    ws = addCheckItem(sett, tr("Warning signs"), true, this, &Form1::ws_Click);
    pp = addCheckItem(sett, tr("Popups"), true, this, &Form1::pp_Click);

    QMenu *vw = menuBar()->addMenu(tr("View"));
    sc = addCheckItem(vw, tr("Source code"), false, this, &Form1::sc_Click);

    QMenu *hp = menuBar()->addMenu(tr("Help"));
    vbf = hp->addAction(tr("About"), this, &Form1::vbf_Click);
    vbf->setObjectName(QStringLiteral("vbf"));
    ws->setObjectName(QStringLiteral("ws"));
    pp->setObjectName(QStringLiteral("pp"));
    sc->setObjectName(QStringLiteral("sc"));
    // A page's dialog that waits is answered before a menu command runs: while it waits,
    // the engine does nothing for any tab.
    for (QMenu *menu : { mnunew, sett, vw, hp }) {
        connect(menu, &QMenu::aboutToShow, this, [this] {
            if (PageView *view = m_tabs->frontPage())
                view->hooks().dismissQuestions();
        });
    }
}

void Form1::buildControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    client->installEventFilter(this);

    CoolBar1 = new CoolBar(client);
    Toolbar1 = CoolBar1->toolbar();
    address = CoolBar1->address();
    Picture1 = CoolBar1->strip();
    address->setEditText(tr("Loading..."));
    m_addressShown = new AddressBox(address);
    buildToolbar();
    buildStripControls();

    infopanel = new WarningPanel(client);
    infopanel->hide();
    connect(infopanel, &WarningPanel::closeClicked, this, &Form1::closer_Click);

    container = new QWidget(client);
    container->setAccessibleName(tr("Pages"));

    StatusBar1 = new MainStatusBar(this);
    setStatusBar(StatusBar1);

    // Named as designed, so that a test (or a style sheet) can tell the controls apart.
    const std::pair<QObject *, const char *> names[]
        = { { CoolBar1, "CoolBar1" }, { Toolbar1, "Toolbar1" }, { address, "address" },
              { Picture1, "Picture1" }, { newflik, "newflik" }, { lock, "lock" },
              { downloadico, "downloadico" }, { infopanel, "infopanel" },
              { container, "container" }, { StatusBar1, "StatusBar1" }, { zoomButton, "zoom" } };
    for (const auto &[control, name] : names)
        control->setObjectName(QString::fromLatin1(name));
}

// Back, forward and stop, and the zoom button with its menu.
void Form1::buildToolbar()
{
    struct Button
    {
        const char *key;
        QString name;
    };
    for (const Button &button : { Button { "back", tr("Back") },
             Button { "forward", tr("Forward") }, Button { "stop", tr("Stop") } }) {
        const QString key = QString::fromLatin1(button.key);
        QAction *action = Toolbar1->addAction(Artwork::toolbarIcon(key), button.name);
        action->setObjectName(key);
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
    zoomButton = new QToolButton(Toolbar1);
    zoomButton->setIcon(Artwork::toolbarIcon(QStringLiteral("zoom")));
    zoomButton->setIconSize(QSize(32, 32));
    zoomButton->setPopupMode(QToolButton::MenuButtonPopup);
    zoomButton->setMenu(new QMenu(zoomButton));
    zoomButton->setAccessibleName(tr("Zoom"));
    zoomButton->setToolTip(tr("Zoom"));
    connect(zoomButton, &QToolButton::clicked, this,
        [this] { Toolbar1_ButtonClick(QStringLiteral("zoom")); });
    Toolbar1->addWidget(zoomButton);
}

// The new-tab button, and the lock and download marks that the panels show.
void Form1::buildStripControls()
{
    newflik = new QToolButton(Picture1);
    newflik->setIcon(QIcon(Artwork::newTab()));
    newflik->setIconSize(QSize(12, 15));
    newflik->setAutoRaise(true);
    newflik->setGeometry(
        Twips::toPixels(45), Twips::toPixels(90), Twips::toPixels(300), Twips::toPixels(225));
    newflik->setAccessibleName(tr("New tab"));
    newflik->setToolTip(tr("New tab"));
    connect(newflik, &QToolButton::clicked, this, [this] { m_opening->openToType(); });

    lock = new QLabel(Picture1);
    lock->setPixmap(Artwork::lock(QSize(19, 21)));
    lock->setGeometry(Twips::toPixels(960), 0, Twips::toPixels(285), Twips::toPixels(315));
    lock->hide();
    downloadico = new QLabel(Picture1);
    downloadico->setPixmap(Artwork::download());
    downloadico->move(Twips::toPixels(1320), Twips::toPixels(40));
    downloadico->adjustSize();
    downloadico->hide();
}

void Form1::Form_Load()
{
    SourceEditor *Codetext = m_tabs->elements(0).source;
    Codetext->setLanguage(QStringLiteral("HTML"));
    Codetext->setDefaultProperty(true);
    newflik_Click();
    // Addresses given to the program take the start page's place, each in a tab of its own.
    const QStringList opening = m_addresses.opening.isEmpty()
        ? QStringList { m_addresses.startPage }
        : m_addresses.opening;
    for (qsizetype i = 0; i < opening.size(); ++i) {
        if (i > 0)
            newflik_Click();
        if (PageView *view = m_tabs->frontPage())
            view->Navigate(opening.at(i));
    }
    QMenu *zoomMenu = zoomButton->menu();
    int position = 0;
    for (const QString &caption : { QStringLiteral("25%"), QStringLiteral("50%"),
             QStringLiteral("100%"), QStringLiteral("125%"), QStringLiteral("150%") }) {
        ++position;
        zoomMenu->addAction(
            caption, this, [this, position] { Toolbar1_ButtonMenuClick(position); });
    }
    m_tabs->activate(m_tabs->ubound());
}

void Form1::Form_Resize()
{
    // The toolkit gives the real client area between the menu bar and the status bar, so
    // the view area takes exactly what the rebar and a shown warning panel leave of it.
    QWidget *client = centralWidget();
    const int clientWidth = client->width();
    CoolBar1->setGeometry(0, 0, clientWidth, CoolBar1->height());
    // A page shown full screen hides the rebar.
    double top = CoolBar1->isVisibleTo(this) ? Twips::fromPixels(CoolBar1->height()) : 0;
    if (!infopanel->isHidden()) {
        infopanel->setGeometry(0, Twips::toPixels(top), clientWidth, infopanel->height());
        top += WarningPanel::designHeight;
        infopanel->setCloserLeft(Twips::fromPixels(width()) - WarningPanel::closerWidth() - 200);
    }
    const double height = Twips::fromPixels(client->height()) - top;
    // A window shorter than its bars keeps the last height that fitted.
    if (height >= 0)
        m_containerHeight = height;
    container->setGeometry(
        0, Twips::toPixels(top), clientWidth, Twips::toPixels(m_containerHeight));

    m_tabs->resizeViews(container->size());
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // The bars shown or hidden (full screen) resize the client area, not the window.
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}
