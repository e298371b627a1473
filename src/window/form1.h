#pragma once

#include "common/pageview.h"
#include "tabs/closedtabs.h"

#include <optional>
#include <QMainWindow>

class AboutBox;
class CoolBar;
class Download;
class DownloadsList;
class FullScreen;
class Printing;
class Saving;
class MainStatusBar;
class QAction;
class QComboBox;
class QLabel;
class QToolBar;
class QToolButton;
class TabStrip;
class Tabs;
class WarningPanel;

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

// The browser's one main window: its controls and menus, and the handlers of the window's
// own controls, spread over window/ by concern (layout, opening tabs, navigation,
// settings). Its tabs belong to Tabs; the page views' events are handled by PageEvents.
// The controls are its own: other parts use the operations below.
class Form1 final : public QMainWindow
{
    Q_OBJECT
public:
    using Addresses = BrowserAddresses;

    explicit Form1(PageViewFactory factory, Addresses addresses = {}, QWidget *parent = nullptr);
    ~Form1() override;

    const Addresses &addresses() const { return m_addresses; }

    // The active tab, and the tab that was active before it. Written only by activation.
    float current() const;
    float lastone() const;
    // The owner of the tabs.
    Tabs &tabs() const { return *m_tabs; }

    // Opens the first tabs with the start page or the addresses given, once: called after
    // whatever handles a tab's page events is in place, so that tab 1 is wired before it
    // loads, like every other tab.
    void Form_Load();

    // Window layout.
    void Form_Resize();
    void closer_Click();

    // Opening tabs.
    void newflik_Click();
    void mnutab_Click();
    void flik_GotFocus(int index);
    // A new tab as the user opens one (the + button, Ctrl+T, New > Tab), its address box
    // taking the keys.
    void openTabToType();
    // A new tab at the right end, made active, that loads the address as if typed.
    void openTab(const QString &address);
    // The tab closed last opened again with its address; nothing when none is left.
    void reopenClosedTab();
    // Addresses another start of the program handed over: each in a new tab, or one new
    // tab for none; the window comes to the front.
    void openHandedOver(const QStringList &addresses);

    // Navigation bar.
    void address_KeyPress(int &KeyAscii);
    void Toolbar1_ButtonClick(const QString &key);
    void Toolbar1_ButtonMenuClick(int position);

    // Settings, about box, and the two menu items that act on tabs.
    void ws_Click();
    void pp_Click();
    void vbf_Click();
    void sc_Click();
    void mnusearch_Click();

    // The two settings, as their check marks stand now.
    bool warningSigns() const;
    bool popups() const;

    // Panel 1 of the status bar; panel 2's picture: the download mark; panel 2 cleared of
    // its picture and text; panel 2 as a load's end leaves it: the download mark while a
    // download runs, else the lock of the tab in front, whichever tab's load ended.
    void setStatusText(const QString &text);
    void showDownloadMark();
    void clearPanel2();
    void settlePanel2();
    // Panel 2 shows the lock and "Encrypted" of the active tab's page, or nothing.
    void showLock(bool encrypted);

    // The address box: a completed page's address added to its list (the text typed into
    // it stays), its text replaced, and the keyboard given to it with its text selected.
    void appendAddress(const QString &address);
    // The address the page in front shows now, unless the user is typing in the box.
    void followAddress(const QString &text);
    void focusAddress();
    // The user is at the address box: a tab a page opens now must not take their keys.
    bool addressInputInProgress() const;

    // The warning panel shown with a message (and a title line, when given), or hidden.
    // Neither lays the window out: the callers run Form_Resize when their steps say so.
    void showInfopanel(const std::optional<QString> &title, const QString &message);
    void hideInfopanel();

    // Full screen, of the window or of the active page.
    FullScreen &fullScreen() const { return *m_fullScreen; }
    // Where the downloads still running are asked for, when the window is closed: the one
    // owner of the downloads.
    using RunningDownloads = std::function<QList<Download *>()>;
    void setRunningDownloads(RunningDownloads running) { m_running = std::move(running); }
    // A download of this run, shown in the downloads list; the list shown.
    void addDownload(Download *download);
    void showDownloads();
    // The active page printed, or saved, through a dialog.
    void printPage();
    void savePage();
    // A page's own "Save page" or "Save link": where, asked through a dialog.
    void saveFrom(PageView *view, const QString &link, const QString &suggestedName);

    // Height of the view area, in twips, as the last layout left it.
    double containerHeight() const { return m_containerHeight; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildControls();
    void buildToolbar();
    void buildStripControls();
    bool addressKey(QEvent *event);
    void takeListedAddress(int index);
    bool madeNewTab();
    void addEverydayFeatures();
    bool mayClose();
    bool pagesMayBeLeft();

    Addresses m_addresses;
    double m_containerHeight = 0;
    qsizetype m_listedCharacters = 0;
    // The whole address of the entry chosen last from the list, which the box may cut.
    QString m_chosenAddress;
    ClosedTabs m_closedTabs;

    CoolBar *CoolBar1 = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QComboBox *address = nullptr;
    class AddressBox *m_addressBox = nullptr;
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

    Tabs *m_tabs = nullptr;
    FullScreen *m_fullScreen = nullptr;
    Printing *m_printing = nullptr;
    Saving *m_saving = nullptr;
    DownloadsList *m_downloads = nullptr;
    RunningDownloads m_running;
    // What panel 2's picture is: a click on the download mark opens the downloads list.
    enum class Panel2 { Empty, Lock, Downloads };
    Panel2 m_panel2 = Panel2::Empty;
    // The user agreed to cancel the downloads under way and quit.
    bool m_quitting = false;
    // Every page agreed to be left as the window closes; the pages are being asked.
    bool m_pagesLeft = false;
    bool m_askingPages = false;
};
