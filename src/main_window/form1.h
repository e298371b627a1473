#pragma once

#include "hosted/pageview.h"
#include "main_window/controlarray.h"
#include "main_window/tablife.h"
#include "page_events/contentwarnings.h"
#include "page_events/popupthrottle.h"

#include <QMainWindow>
#include <QPointer>
#include <set>
#include <vector>

class AboutBox;
class CoolBar;
class MainStatusBar;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;
class SourceEditor;
class TabStrip;
class WarningPanel;
class flik;

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
};

// The browser's one main window: its controls and menus, the three per-tab control arrays
// that share the tab index, and the two fields that name the active tab. Its handlers are
// spread over the folders by concern: main_window (layout, tabs, navigation, settings) and
// page_events (the page views' events).
class Form1 final : public QMainWindow
{
    Q_OBJECT
public:
    using Addresses = BrowserAddresses;

    explicit Form1(PageViewFactory factory, Addresses addresses = {}, QWidget *parent = nullptr);
    ~Form1() override;

    const Addresses &addresses() const { return m_addresses; }

    // The active tab, and the tab that was active before it. Written only by activation.
    float current = 0;
    float lastone = 0;

    ControlArray<PageView> WebBrowser;
    ControlArray<SourceEditor> Codetext;
    ControlArray<::flik> flik;
    // Makes and removes the three elements of a tab together.
    TabLife tabs;
    // The headers drawn selected, which the next activation clears.
    std::vector<QPointer<::flik>> selectedHeaders;

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
    // Hidden single-line field that cuts a tab caption to its 50 characters.
    QLineEdit *Text1 = nullptr;

    QAction *mnutab = nullptr;
    QAction *mnusearch = nullptr;
    QAction *ws = nullptr;
    QAction *pp = nullptr;
    QAction *sc = nullptr;
    QAction *vbf = nullptr;
    QToolButton *zoomButton = nullptr;
    AboutBox *about = nullptr;

    // Window layout.
    void Form_Resize();
    void closer_Click();

    // Opening tabs.
    void newflik_Click();
    void mnutab_Click();
    void flik_GotFocus(int index);

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

    // Events of the page views, each with the raising tab's index first.
    void WebBrowser_StatusTextChange(int Index, const QString &Text);
    void WebBrowser_ProgressChange(int Index, int Progress, int ProgressMax);
    void WebBrowser_DownloadComplete(int Index);
    void WebBrowser_FileDownload(int Index, bool &Cancel);
    void WebBrowser_SetSecureLockIcon(int Index, int SecureLockIcon);
    void WebBrowser_GotFocus(int Index);
    void WebBrowser_TitleChange(int Index, const QString &Text);
    void WebBrowser_DocumentComplete(int Index, const QString &URL);
    void WebBrowser_NewWindow2(int Index, NewWindowRequest &request);
    void WebBrowser_NavigateError(int Index, const QString &URL, int StatusCode);

    // Content warnings: screens a text with one event's keyword list, and shows a warning.
    void screenForWarnings(ContentWarnings::Source source, const QString &text);
    void showWarning(const std::optional<QString> &title, const QString &message);

    // The page view a float field such as `current` names; never the hidden template.
    PageView *viewAt(float index) const;
    SourceEditor *editorAt(float index) const;

    // Forgets what is known of a closed tab; its index may be given out again.
    void forgetTab(int index)
    {
        m_popups.forget(index);
        m_loadingBehind.erase(index);
    }

    // Height of the view area, in twips, as the last layout left it.
    double containerHeight() const { return m_containerHeight; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildControls();
    void Form_Load();

    Addresses m_addresses;
    PopupThrottle m_popups;
    double m_containerHeight = 0;
    // Tabs opened with the program behind its last one, whose first page has not completed:
    // that completion leaves the active tab as it is.
    std::set<int> m_loadingBehind;
};
