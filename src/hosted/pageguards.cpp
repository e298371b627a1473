// What a page may ask of the user and of the program beyond showing itself: the keyboard
// focus, new windows, dialogs and downloads. Each is bounded, so that a hostile page can
// neither hold the window hostage nor fill the disk.
#include "hosted/downloadsaver.h"
#include "hosted/engineroutes.h"
#include "hosted/webenginepageview.h"

#include <QEvent>
#include <QPointer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <utility>

void WebEnginePageView::focusEntered(bool chosen)
{
    m_hadFocus = true;
    if (chosen)
        emit GotFocus();
}

void WebEnginePageView::focusLeft()
{
    m_hadFocus = false;
}

void WebEnginePageView::downloadRequested(QWebEngineDownloadRequest *download)
{
    // A page that starts downloads in a loop would fill the disk. A few per page shown
    // are saved; after that only a click or key press of the user's in the page lets
    // another one through.
    if (m_downloadsUnasked >= downloadsWithoutUserAction) {
        download->cancel();
        emit StatusTextChange(tr("Download refused: this page has started too many downloads"));
        return;
    }
    ++m_downloadsUnasked;
    ++m_downloadsThisLoad;
    bool cancel = false;
    emit FileDownload(cancel);
    if (cancel || !m_routes->downloads()) {
        download->cancel();
        return;
    }
    // Accepted here and now: the engine cancels a request left for later.
    // The download may outlive the tab that started it.
    m_routes->downloads()->save(download, [self = QPointer(this)](const QString &path) {
        if (!self)
            return;
        emit self->StatusTextChange(
            path.isEmpty() ? tr("Download failed") : tr("Saved %1").arg(path));
        emit self->DownloadComplete();
    });
}

void WebEnginePageView::onNewWindowRequested(QWebEngineNewWindowRequest &request)
{
    // Left unanswered here: the engine goes on to createWindow, which answers it.
    m_userAskedForWindow = request.isUserInitiated();
}

QWebEnginePage *WebEnginePageView::onCreateWindow()
{
    NewWindowRequest request;
    request.userInitiated = std::exchange(m_userAskedForWindow, false);
    emit NewWindow2(request);
    if (request.Cancel || !request.ppDisp || request.ppDisp == this)
        return nullptr;
    auto *target = qobject_cast<WebEnginePageView *>(request.ppDisp);
    // A page may only open into a view of its own profile.
    if (!target || target->m_routes->profile() != m_routes->profile())
        return nullptr;
    return target->page();
}

void WebEnginePageView::release()
{
    // A dialog of this page waits on the stack: it ends first, and the view goes once the
    // engine's call into the page has returned.
    m_released = true;
    for (ScriptDialog *dialog : findChildren<ScriptDialog *>())
        dialog->abandon();
    if (m_dialogsOpen == 0)
        deleteLater();
}

bool WebEnginePageView::runDialog(ScriptDialog::Kind kind, const QUrl &origin,
    const QString &message, const QString &defaultValue, QString *value)
{
    if (m_released)
        return false;
    if (++m_dialogs > dialogsPerPage) {
        if (m_dialogs == dialogsPerPage + 1)
            emit StatusTextChange(tr("This page's further dialogs are blocked"));
        return false;
    }
    ScriptDialog dialog(kind, origin.host(), message, defaultValue, this);
    ++m_dialogsOpen;
    // It takes the keyboard only from its own page: a background tab's dialog must not
    // pull the user away from the tab they are in.
    const bool accepted = dialog.exec(m_hadFocus, value);
    --m_dialogsOpen;
    if (m_released && m_dialogsOpen == 0)
        deleteLater();
    return accepted && !m_released;
}

bool WebEnginePageView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (watched == m_view) {
            if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
                child->installEventFilter(this);
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
        m_downloadsUnasked = 0;
        m_downloadsThisLoad = 0;
        break;
    default:
        break;
    }
    return PageView::eventFilter(watched, event);
}
