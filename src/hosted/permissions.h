#pragma once

#include "common/permissionanswers.h"

#include <deque>
#include <functional>
#include <optional>
#include <QFrame>
#include <QUrl>
#include <QWebEnginePage>

class QLabel;
class QPushButton;
class QTimer;

// What sites may ask of the user (notifications, location, camera, microphone), as pure
// rules first.
namespace Permissions {

// What a request asks for; nothing for what is refused without asking: locking the mouse,
// and sharing the screen, which this engine would grant as the first screen whole, with no
// choice of what to share.
std::optional<Permission> kindOf(QWebEnginePage::Feature feature);
// In the question's words ("know your location").
QString wants(Permission permission);
// The site a request is asked in the name of: only the top page's own. A frame of another
// site (an advertisement, a widget) would otherwise ask over the page that embeds it, and
// an answer to it would hold wherever it is embedded; a sandboxed frame or a page of no
// site has nobody to name.
std::optional<Site> asker(const QUrl &origin, const QUrl &topPage);

} // namespace Permissions

// One page's questions: a bar over the page that names the site and what it wants, with
// Allow and Block. It never waits in a loop of its own: the page, its tab and every other
// tab go on. A question belongs to its page: shown while the tab is in front, withdrawn
// when the page moves on, refused when the tab closes. Further requests wait their turn, as
// the engine answers camera and microphone requests in the order they came.
class PagePermissions final : public QFrame
{
    Q_OBJECT
public:
    // Allow and Block take no click or key for this long after a question shows, so that a
    // click aimed at the page cannot answer a question that appears under the pointer.
    static constexpr int settleMs = 500;
    // Requests that wait behind the open question; further ones stay unanswered.
    static constexpr int waiting = 8;

    // mayAsk: counts a question against the page's bound, and says whether it may be asked.
    PagePermissions(QWebEnginePage *page, PermissionAnswers *answers, std::function<bool()> mayAsk,
        QWidget *view);

    void setInFront(bool inFront);
    // The page moved on: its questions are no longer asked, and left unanswered, as the
    // engine would keep a refusal for the rest of the run.
    void withdraw();
    // The tab closes: its questions are refused.
    void refuseAll();

private:
    struct Request
    {
        QUrl origin;
        QWebEnginePage::Feature feature;
        Site site;
        Permission kind;
    };
    void requested(const QUrl &origin, QWebEnginePage::Feature feature);
    void consider(const Request &request);
    void answer(bool allow);
    void settle(const Request &request, bool allow);
    void present();
    void askNext();

    QWebEnginePage *m_page;
    PermissionAnswers *m_answers;
    std::function<bool()> m_mayAsk;
    std::optional<Request> m_open;
    std::deque<Request> m_waiting;
    bool m_inFront = false;
    QLabel *m_question = nullptr;
    QList<QPushButton *> m_buttons;
    QTimer *m_settling = nullptr;
};
