#include "hosted/pageinput.h"

#include "common/pageguards.h"

#include <QDropEvent>
#include <QEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QWebEngineNewWindowRequest>
#include <QWidget>
#include <utility>

namespace {

// How long after a press the window the engine asks for is still the press's doing: the
// engine asks within a few events of the click's release.
constexpr int usersActMs = 2000;

} // namespace

PageInput::PageInput(PageGuards &guards, QObject *parent)
    : QObject(parent)
    , m_guards(guards)
{ }

void PageInput::watch(QWidget *engineView)
{
    m_engineView = engineView;
    engineView->installEventFilter(this);
}

std::optional<QUrl> PageInput::takeDropToOpenHere()
{
    const QUrl dropped = std::exchange(m_dropped, QUrl());
    if (dropped.isEmpty() || m_droppedUntil.hasExpired())
        return std::nullopt;
    return dropped;
}

void PageInput::menuOpens(const QUrl &link)
{
    m_menuLink = link;
    m_actUntil.setRemainingTime(usersActMs);
}

bool PageInput::takeUsersLink(const QUrl &requested)
{
    if (m_actUntil.hasExpired() || requested.isEmpty()
        || (requested != m_hovered && requested != m_menuLink))
        return false;
    m_actUntil = QDeadlineTimer();
    m_menuLink.clear();
    return true;
}

bool PageInput::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        // The engine puts the widgets that take the user's input inside its view.
        if (watched == m_engineView) {
            if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
                child->installEventFilter(this);
        }
        break;
    case QEvent::Drop:
        // Seen before the engine takes it; the address is forgotten soon.
        if (const auto *drop = static_cast<QDropEvent *>(event); drop->mimeData()->hasUrls()) {
            m_dropped = drop->mimeData()->urls().value(0);
            m_droppedUntil.setRemainingTime(2000);
        }
        m_given = true;
        m_guards.userActed();
        break;
    case QEvent::MouseButtonPress:
        m_pressModifiers = static_cast<QMouseEvent *>(event)->modifiers();
        m_menuLink.clear();
        m_actUntil.setRemainingTime(usersActMs);
        [[fallthrough]];
    case QEvent::KeyPress:
        m_given = true;
        m_guards.userActed();
        break;
    case QEvent::InputMethod:
        // Text composed with an input method comes without key presses.
        m_given = true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

NewWindowRequest PageInput::windowAsked(const QWebEngineNewWindowRequest &request)
{
    // The engine names every window.open of a middle click's or Ctrl+click's handlers "a
    // new background tab", and gives the click's gesture to the first of them, whichever
    // address it opens. The user's own link is the one under the pointer (or chosen from
    // the menu), opened once; anything else is the page's pop-up, wherever it asks for it.
    using Destination = QWebEngineNewWindowRequest::DestinationType;
    NewWindowRequest asked;
    asked.userInitiated = request.isUserInitiated();
    const bool behind = request.destination() == Destination::InNewBackgroundTab;
    const bool inFront = request.destination() == Destination::InNewTab
        && m_pressModifiers.testFlags(Qt::ControlModifier | Qt::ShiftModifier);
    asked.linkInNewTab
        = asked.userInitiated && (behind || inFront) && takeUsersLink(request.requestedUrl());
    asked.behind = asked.linkInNewTab && behind;
    return asked;
}
