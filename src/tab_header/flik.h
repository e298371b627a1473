#pragma once

#include <QWidget>

class HeaderFace;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class ProgressBox;

// How an activation brings up a tab's views: the full activation of sellect, or one of the
// variants of the header's own mouse and focus handlers.
enum class Activation {
    // The page, or the source when the tab shows it, in front; "Source code" follows.
    Full,
    // A right press on the face: as Full, with the "Source code" mark left alone.
    KeepSourceMark,
    // A click in the search field: raised as Full, nothing made visible or marked.
    RaiseOnly,
    // The magnifier and the search box frame: the page alone, whatever the tab shows.
    PageOnly,
};

// What a tab header shows, as a person sees it.
struct HeaderLook
{
    QString caption;
    // Panel 1 drawn inset marks the selected tab (bevel 1; 0 not).
    int bevel = 0;
    bool lock = false;
    bool progress = false;
    // The tab's two modes, as the check marks of "View search" and "View Source".
    bool searchTab = false;
    bool sourceShown = false;
};

// Where a header sits in the tab strip, in twips, and the width of its face's panel.
struct HeaderPlace
{
    float left = 0;
    float width = 0;
    double panelWidth = 0;
};

// The two commands of the tab menu.
enum class TabCommand { ViewSearch, ViewSource };

// The tab header: one per tab in the tab strip. It shows the tab's caption, a progress bar
// while the page loads, a lock mark for an encrypted page, a close box, and on a search
// tab a search field; it carries the tab's two modes (search tab, source shown) as the
// check marks of its menu. It knows nothing of the window: what the user does to it, it
// tells by its signals, and the owner of the tabs acts. Geometry is kept in twips.
class flik final : public QWidget
{
    Q_OBJECT
public:
    explicit flik(QWidget *parent = nullptr);

    // The header's tab index; 0 until indexer is called.
    float myindex = 0;

    // Public members, as the window calls them.
    void viewsearch_Click();
    void vs_Click();
    void sellect();
    void normal();
    void safe();
    void unsafe();
    void Caption(const QString &bajs);
    void progg(float &prg, float &prgmax);
    void hideprog();
    void indexer(float ind);

    // What the face shows, and whether the header is the selected one: drawn inset.
    HeaderLook look() const;
    void markSelected();
    // The two modes set. Showing the search box goes with the search mark.
    void setSearchTab(bool search);
    void setSourceShown(bool shown);
    // The speaker beside the close box: while the page plays sound, or the tab is muted.
    void showSound(bool audible, bool muted);

    // Where the header sits in the tab strip. A new header starts as a copy of the
    // template's position and size.
    HeaderPlace place() const
    {
        return { .left = m_left, .width = m_width, .panelWidth = panelWidth() };
    }
    void setLeft(float twips);
    void copyConfiguration(const flik &model);

signals:
    // The tab is to become the active one (sellect, a press, a click, the focus).
    void activated(Activation how);
    // A mouse button went down on the face; the window closes its warning panel first.
    void pressed();
    // The header itself took the keyboard focus.
    void focused();
    // The close box was clicked.
    void closeRequested();
    // A command of the tab menu, or of the window's menu on this tab.
    void menuCommand(TabCommand command);
    // Enter in the search field, with its text.
    void searchEntered(const QString &text);
    // Caption changed the header's width: the headers to its right move with it.
    void widthChanged();
    // The tab menu is open and waits for a choice; tests choose from it.
    void menuShown(QMenu *menu);
    // The speaker was clicked: the tab is to be muted, or to sound again.
    void muteClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // The header's own events.
    void closer_Click();
    void UserControl_Resize();
    void StatusBar1_MouseDown(int Button);
    void iconi_Click();
    void iconi_MouseDown(int Button);
    void searchicon_GotFocus();
    void searchicon_MouseDown(int Button);
    void prog_MouseDown(int Button);
    void SearchText_Click();
    void SearchText_KeyPress(int &KeyAscii);

    void setWidth(float twips);
    void setHeight(float twips);
    double panelWidth() const;
    void buildMarks();
    void buildSearchField();
    void openMenu();
    void applyGeometry();
    void placeCloser(float twips);

    HeaderFace *StatusBar1 = nullptr;
    QLabel *secure = nullptr;
    QToolButton *closer = nullptr;
    class SoundMark *m_sound = nullptr;
    ProgressBox *prog = nullptr;
    QWidget *searchicon = nullptr;
    QLabel *iconi = nullptr;
    QLineEdit *SearchText = nullptr;
    QMenu *minimenu = nullptr;
    QAction *viewsearch = nullptr;
    QAction *vs = nullptr;

    float m_left = -1440;
    float m_top = 15;
    float m_width = 1845;
    float m_height = 345;
    float m_closerLeft = 1680;
};
