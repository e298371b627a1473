#pragma once

#include "common/pageview.h"

#include <optional>
#include <QDeadlineTimer>
#include <QObject>
#include <QUrl>

class PageGuards;
class QWebEngineNewWindowRequest;
class QWidget;

// What the user gives one page, seen at the engine's widgets before the engine takes it:
// whether anything was given since its document was shown (a form may hold it), the keys
// held at the last press (Ctrl+Shift+click), and a link dropped on it a moment ago. Each
// act of the user's gives the page's guards back what they bound.
class PageInput final : public QObject
{
    Q_OBJECT
public:
    PageInput(PageGuards &guards, QObject *parent);

    // The user's clicks and keys reach the engine's widgets inside this one.
    void watch(QWidget *engineView);
    // Keys, a paste with the middle button, a choice made with the mouse, text from an input
    // method or a dropped file, since the document shown now was shown.
    bool givenSinceShown() const { return m_given; }
    void documentShown() { m_given = false; }
    Qt::KeyboardModifiers pressModifiers() const { return m_pressModifiers; }
    // The engine opens a link dropped on the page (and not taken by it) in a new window; the
    // user dropped it here to open it here. The address, when a link was dropped a moment
    // ago.
    std::optional<QUrl> takeDropToOpenHere();
    // The link under the pointer, as the engine reports it; empty when none is.
    void hovered(const QUrl &link) { m_hovered = link; }
    // The user chose to open a link from the page's menu.
    void menuOpens(const QUrl &link);
    // Whether a window the engine asks for, with the user's gesture, is the link the user
    // opened: the one under the pointer a moment after their press, or the one they chose
    // from the menu. Once per act: a page's handler that asks again and again for it gets
    // no further tab by it.
    bool takeUsersLink(const QUrl &requested);
    // The page asked for a window: whether the user's click or key asked for it, and whether
    // it is the link the user opened in a new tab.
    NewWindowRequest windowAsked(const QWebEngineNewWindowRequest &request);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PageGuards &m_guards;
    QWidget *m_engineView = nullptr;
    bool m_given = false;
    Qt::KeyboardModifiers m_pressModifiers;
    QUrl m_dropped;
    QDeadlineTimer m_droppedUntil;
    QUrl m_hovered;
    QUrl m_menuLink;
    // Until when the last press (or menu choice) may open its link; expired once it did.
    QDeadlineTimer m_actUntil;
};
