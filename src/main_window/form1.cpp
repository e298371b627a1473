#include "main_window/form1.h"

#include "hosted/sourceeditor.h"
#include "main_window/aboutbox.h"
#include "main_window/artwork.h"
#include "main_window/coolbar.h"
#include "main_window/keyboard.h"
#include "main_window/mainstatusbar.h"
#include "main_window/tabstrip.h"
#include "main_window/twips.h"
#include "main_window/warningpanel.h"
#include "tab_header/flik.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Passes the keys typed into the address box to the window's handler, which may swallow
// them. It watches the box itself: the box has the keyboard focus and hands keys to its line
// edit directly, past any filter on the line edit.
class AddressKeys final : public QObject
{
public:
    AddressKeys(Form1 *form, QObject *parent)
        : QObject(parent)
        , m_form(form)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Esc is the box's own: it takes back what was typed, rather than stopping the page.
        if (event->type() == QEvent::ShortcutOverride
            && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            const PageView *view = m_form->viewAt(m_form->current);
            m_form->address->setEditText(view ? view->LocationURL() : QString());
            m_form->address->lineEdit()->selectAll();
            return true;
        }
        int KeyAscii = 0;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            KeyAscii = 13;
        else if (key->text().size() == 1)
            KeyAscii = key->text().at(0).unicode();
        if (KeyAscii == 0)
            return false;
        m_form->address_KeyPress(KeyAscii);
        return KeyAscii == 0;
    }

private:
    Form1 *m_form;
};

} // namespace

Form1::Form1(PageViewFactory factory, Addresses addresses, QWidget *parent)
    : QMainWindow(parent)
    , tabs(*this, std::move(factory))
    , m_addresses(std::move(addresses))
{
    setWindowTitle(tr("Tessarvine 2 BETA"));
    setWindowIcon(Artwork::windowIcon());
    resize(Twips::toPixels(12150), Twips::toPixels(8625));
    buildMenus();
    buildControls();
    tabs.loadTemplates();
    Form_Load();
    new Shortcuts(*this);
}

Form1::~Form1()
{
    // Views go before anything their late signals could reach.
    WebBrowser.forEach([](int, PageView *view) { view->disconnect(); });
    delete about;
}

// A checkable menu item toggles its own mark before its handler runs; the handlers here
// decide the mark themselves, so the item's own toggle is undone first.
static QAction *addCheckItem(
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

void Form1::buildMenus()
{
    QMenu *mnunew = menuBar()->addMenu(tr("New"));
    mnutab = mnunew->addAction(tr("Tab"), this, &Form1::mnutab_Click);
    mnusearch = mnunew->addAction(tr("Search Tab"), this, &Form1::mnusearch_Click);

    QMenu *sett = menuBar()->addMenu(tr("Settings"));
    ws = addCheckItem(sett, tr("Warning signs"), true, this, &Form1::ws_Click);
    pp = addCheckItem(sett, tr("Popups"), true, this, &Form1::pp_Click);

    QMenu *vw = menuBar()->addMenu(tr("View"));
    sc = addCheckItem(vw, tr("Source code"), false, this, &Form1::sc_Click);

    QMenu *hp = menuBar()->addMenu(tr("Help"));
    vbf = hp->addAction(tr("About"), this, &Form1::vbf_Click);
}

void Form1::buildControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);

    CoolBar1 = new CoolBar(client);
    Toolbar1 = CoolBar1->toolbar();
    address = CoolBar1->address();
    Picture1 = CoolBar1->strip();
    address->setEditText(tr("Loading..."));
    address->installEventFilter(new AddressKeys(this, address));

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

    newflik = new QToolButton(Picture1);
    newflik->setIcon(QIcon(Artwork::newTab()));
    newflik->setIconSize(QSize(12, 15));
    newflik->setAutoRaise(true);
    newflik->setGeometry(
        Twips::toPixels(45), Twips::toPixels(90), Twips::toPixels(300), Twips::toPixels(225));
    newflik->setAccessibleName(tr("New tab"));
    newflik->setToolTip(tr("New tab"));
    connect(newflik, &QToolButton::clicked, this, &Form1::newflik_Click);

    lock = new QLabel(Picture1);
    lock->setPixmap(Artwork::lock(QSize(19, 21)));
    lock->setGeometry(Twips::toPixels(960), 0, Twips::toPixels(285), Twips::toPixels(315));
    lock->hide();
    downloadico = new QLabel(Picture1);
    downloadico->setPixmap(Artwork::download());
    downloadico->move(Twips::toPixels(1320), Twips::toPixels(40));
    downloadico->adjustSize();
    downloadico->hide();

    infopanel = new WarningPanel(client);
    infopanel->hide();
    connect(infopanel, &WarningPanel::closeClicked, this, &Form1::closer_Click);

    container = new QWidget(client);
    container->setAccessibleName(tr("Pages"));

    StatusBar1 = new MainStatusBar(this);
    setStatusBar(StatusBar1);

    Text1 = new QLineEdit(this);
    Text1->setMaxLength(50);
    Text1->setGeometry(0, 0, Twips::toPixels(615), Twips::toPixels(285));
    Text1->hide();
}

void Form1::Form_Load()
{
    Codetext(0)->setLanguage(QStringLiteral("HTML"));
    Codetext(0)->setDefaultProperty(true);
    newflik_Click();
    // Addresses given to the program take the start page's place, each in a tab of its own.
    const QStringList opening = m_addresses.opening.isEmpty()
        ? QStringList { m_addresses.startPage }
        : m_addresses.opening;
    for (qsizetype i = 0; i < opening.size(); ++i) {
        if (i > 0)
            newflik_Click();
        if (PageView *view = viewAt(current))
            view->Navigate(opening.at(i));
        // The last one is to be the active tab, whichever page completes last.
        if (i + 1 < opening.size())
            if (const auto index = toTabIndex(current))
                m_loadingBehind.insert(*index);
    }
    QMenu *zoomMenu = zoomButton->menu();
    int position = 0;
    for (const QString &caption : { QStringLiteral("25%"), QStringLiteral("50%"),
             QStringLiteral("100%"), QStringLiteral("125%"), QStringLiteral("150%") }) {
        ++position;
        zoomMenu->addAction(
            caption, this, [this, position] { Toolbar1_ButtonMenuClick(position); });
    }
    if (::flik *last = flik(flik.ubound()))
        last->sellect();
}

// A tab's index from a float field; the template's 0 and out-of-range values name none.
static std::optional<TabIndex> tabAt(float index)
{
    const auto tab = toTabIndex(index);
    return tab && *tab >= 1 ? tab : std::nullopt;
}

PageView *Form1::viewAt(float index) const
{
    return WebBrowser(tabAt(index));
}

SourceEditor *Form1::editorAt(float index) const
{
    return Codetext(tabAt(index));
}
