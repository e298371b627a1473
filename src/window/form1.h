#pragma once

#include "common/download.h"
#include "common/pageview.h"

#include <optional>
#include <QMainWindow>

class AboutBox;
class AddressBox;
class AddressController;
class CoolBar;
class MainStatusBar;
class PageTools;
class QAction;
class QComboBox;
class QLabel;
class QToolBar;
class QToolButton;
class StatusPanels;
class TabOpening;
class TabStrip;
class Tabs;
class WarningPanel;
class WindowClosing;

// Where the start page and the search service live. Tests point both at a local server.
struct BrowserAddresses
{
    // A bare host and the path "/start/", without a scheme: the view resolves it.
    QString startPage = QStringLiteral("www.google.com/start/");
    // Scheme and host; queries go to "/search?hl=en&q=" under it.
    QString searchService = QStringLiteral("http://www.google.com");
    // Addresses the first tabs open instead of the start page, one tab each, as if typed
    // into the address box (the command line's).
    QStringList opening = {};
    // How long a tab is covered before it sleeps; 0 never (the command line's).
    qint64 sleepAfterMs = 30 * 60 * 1000;
};

// The browser's one main window: its controls and menus, with their handlers and layout.
// Its other jobs have a class each, made with it: its tabs (Tabs), the status panels, the
// address box's controller, opening tabs, the page tools and whether it may close. The
// page views' events are handled by PageEvents. The controls are its own: other parts use
// the operations below.
class Form1 final : public QMainWindow
{
    Q_OBJECT
public:
    using Addresses = BrowserAddresses;

    explicit Form1(PageViewFactory factory, Addresses addresses = {}, QWidget *parent = nullptr);
    ~Form1() override;

    Tabs &tabs() const { return *m_tabs; }
    StatusPanels &panels() const { return *m_panels; }
    AddressController &addressBox() const { return *m_address; }
    TabOpening &opening() const { return *m_opening; }
    PageTools &pageTools() const { return *m_pageTools; }
    // The one owner of the downloads: those still running are shown and asked about.
    void setRunningDownloads(RunningDownloads running);

    // Opens the first tabs with the start page or the addresses given, once: called after
    // whatever handles a tab's page events is in place, so that tab 1 is wired before it
    // loads, like every other tab.
    void Form_Load();
    // The two layout procedures: the layout, and the warning panel closed before it.
    void Form_Resize();
    void closer_Click();

    // The two settings, as their check marks stand now.
    struct Settings
    {
        bool warningSigns;
        bool popups;
    };
    Settings settings() const;

    // The warning panel. Showing or hiding it does not lay the window out: the callers run
    // Form_Resize when their steps say so.
    WarningPanel &warningPanel() const { return *infopanel; }

    // Height of the view area, in twips, as the last layout left it.
    double containerHeight() const { return m_containerHeight; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The handlers of the controls and menus: only the controls, and the keys that stand
    // for them, call them.
    void newflik_Click();
    void mnutab_Click();
    void flik_GotFocus(int index);
    void address_KeyPress(int &KeyAscii);
    void Toolbar1_ButtonClick(const QString &key);
    void Toolbar1_ButtonMenuClick(int position);
    void ws_Click();
    void pp_Click();
    void vbf_Click();
    void sc_Click();
    void mnusearch_Click();

    void buildMenus();
    void buildControls();
    void buildToolbar();
    void buildStripControls();
    void buildJobs(PageViewFactory factory);

    Addresses m_addresses;
    double m_containerHeight = 0;

    CoolBar *CoolBar1 = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QComboBox *address = nullptr;
    TabStrip *Picture1 = nullptr;
    QToolButton *newflik = nullptr;
    QLabel *lock = nullptr;
    QLabel *downloadico = nullptr;
    WarningPanel *infopanel = nullptr;
    QWidget *container = nullptr;
    MainStatusBar *StatusBar1 = nullptr;

    QAction *mnutab = nullptr;
    QAction *mnusearch = nullptr;
    QAction *ws = nullptr;
    QAction *pp = nullptr;
    QAction *sc = nullptr;
    QAction *vbf = nullptr;
    QToolButton *zoomButton = nullptr;
    AboutBox *about = nullptr;

    AddressBox *m_addressShown = nullptr;
    Tabs *m_tabs = nullptr;
    StatusPanels *m_panels = nullptr;
    AddressController *m_address = nullptr;
    TabOpening *m_opening = nullptr;
    PageTools *m_pageTools = nullptr;
    WindowClosing *m_closing = nullptr;
    RunningDownloads m_running;
};
