#include "window/form1.h"

#include "common/artwork.h"
#include "common/twips.h"
#include "tabs/addressbox.h"
#include "tabs/sourceeditor.h"
#include "tabs/tab.h"
#include "tabs/tabrest.h"
#include "tabs/tabs.h"
#include "tabs/tabstrip.h"
#include "window/aboutbox.h"
#include "window/coolbar.h"
#include "window/keyboard.h"
#include "window/mainstatusbar.h"
#include "window/warningpanel.h"

#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <utility>

Form1::Form1(PageViewFactory factory, Addresses addresses, QWidget *parent)
    : QMainWindow(parent)
    , m_addresses(std::move(addresses))
{
    setWindowTitle(tr("Tessarvine 2 BETA"));
    setWindowIcon(Artwork::windowIcon());
    resize(Twips::toPixels(12150), Twips::toPixels(8625));
    buildMenus();
    buildControls();
    m_tabs = new Tabs(
        { container, Picture1, m_addressBox, sc, [this](bool encrypted) { showLock(encrypted); } },
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
    addEverydayFeatures();
    m_tabs->loadTemplates();
    new Shortcuts({ this, m_tabs, &fullScreen(), [this] { focusAddress(); },
        [this] { openTabToType(); }, [this] { reopenClosedTab(); }, [this] { sc_Click(); },
        [this] { printPage(); }, [this] { savePage(); }, [this] { showDownloads(); },
        [this](const QString &key) { Toolbar1_ButtonClick(key); },
        [this](int item) { Toolbar1_ButtonMenuClick(item); } });
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

float Form1::current() const
{
    return m_tabs->current();
}

float Form1::lastone() const
{
    return m_tabs->lastone();
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
    m_addressBox = new AddressBox(address);
    // The box has the keyboard focus and hands keys to its line edit directly, past any
    // filter on the line edit: the box itself is watched.
    address->installEventFilter(this);
    connect(address, &QComboBox::activated, this, &Form1::takeListedAddress);
    address->completer()->setCompletionRole(Qt::UserRole);
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
    connect(newflik, &QToolButton::clicked, this, &Form1::openTabToType);

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
    m_tabs->Codetext(0)->setLanguage(QStringLiteral("HTML"));
    m_tabs->Codetext(0)->setDefaultProperty(true);
    newflik_Click();
    // Addresses given to the program take the start page's place, each in a tab of its own.
    const QStringList opening = m_addresses.opening.isEmpty()
        ? QStringList { m_addresses.startPage }
        : m_addresses.opening;
    for (qsizetype i = 0; i < opening.size(); ++i) {
        if (i > 0)
            newflik_Click();
        if (PageView *view = m_tabs->viewAt(current()))
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
