#pragma once

#include <QWidget>

class Form1;
class HeaderFace;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class ProgressBox;

// The tab header: one per tab in the tab strip. It shows the tab's caption, a progress bar
// while the page loads, a lock mark for an encrypted page, a close box, and on a search
// tab a search field; it activates its tab and carries the tab's two modes (search tab,
// source shown) as the check marks of its menu. Geometry is kept in twips.
class flik final : public QWidget
{
    Q_OBJECT
public:
    flik(Form1 &form, QWidget *parent);

    // The header's tab index; 0 until indexer is called.
    float myindex = 0;

    HeaderFace *StatusBar1 = nullptr;
    QLabel *secure = nullptr;
    QToolButton *closer = nullptr;
    ProgressBox *prog = nullptr;
    QWidget *searchicon = nullptr;
    QLabel *iconi = nullptr;
    QLineEdit *SearchText = nullptr;
    QMenu *minimenu = nullptr;
    QAction *viewsearch = nullptr;
    QAction *vs = nullptr;

    // Public members, as the main window calls them.
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

    // The header's own events.
    void UserControl_Resize();
    void closer_Click();
    void StatusBar1_MouseDown(int Button);
    void iconi_Click();
    void iconi_MouseDown(int Button);
    void searchicon_GotFocus();
    void searchicon_MouseDown(int Button);
    void prog_MouseDown(int Button);
    void SearchText_Click();
    void SearchText_KeyPress(int &KeyAscii);

    // Position and size in the tab strip, in twips.
    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    void setLeft(float twips);
    void setWidth(float twips);
    void setHeight(float twips);
    // The close box's left edge inside the header, in twips.
    float closerLeft() const { return m_closerLeft; }
    double panelWidth() const;

    // A new header starts as a copy of the template's position and size.
    void copyConfiguration(const flik &model);

signals:
    // The tab menu is open and waits for a choice; tests choose from it.
    void menuShown(QMenu *menu);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // How the views and the "Source code" mark are brought up by one kind of activation.
    enum class ViewStep { Full, KeepSourceMark, RaiseOnly, PageOnly };
    void activate(ViewStep viewStep);
    void showViews(ViewStep viewStep);
    void openMenu();
    void applyGeometry();
    void placeCloser(float twips);

    Form1 &form;
    float m_left = -1440;
    float m_top = 15;
    float m_width = 1845;
    float m_height = 345;
    float m_closerLeft = 1680;
};
