#pragma once

#include <optional>
#include <QFrame>
#include <QHash>
#include <QUrl>
#include <QWebEnginePage>

class QLabel;

// What sites may ask of the user (notifications, location, camera, microphone, screen), as
// pure rules first.
namespace Permissions {

// What a site asks for, in the question's words ("show notifications"); nothing for what is
// never asked about (locking the mouse), which is refused.
std::optional<QString> wants(QWebEnginePage::Feature feature);

// What becomes of a request: granted or blocked as the user answered that site before,
// asked now, left until its tab comes in front, or refused: while another question of the
// page is open, or past the page's bound on questions, so that no page raises a storm.
enum class Outcome { Grant, Block, Ask, Wait };
Outcome outcome(std::optional<bool> answered, bool inFront, bool questionOpen, bool mayAsk);

} // namespace Permissions

// The user's answers for this run, by site and by what it asked; kept in memory only.
class PermissionAnswers
{
public:
    std::optional<bool> answer(const QUrl &origin, QWebEnginePage::Feature feature) const;
    void remember(const QUrl &origin, QWebEnginePage::Feature feature, bool allowed);

private:
    QHash<QString, bool> m_answers;
};

// One page's questions: a bar over the page that names the site and what it wants, with
// Allow and Block. It never waits in a loop of its own: the page, its tab and every other
// tab go on. A question belongs to its tab: shown while the tab is in front, withdrawn when
// the page moves on, refused when the tab closes.
class PagePermissions final : public QFrame
{
    Q_OBJECT
public:
    // mayAsk: counts a question against the page's bound, and says whether it may be asked.
    PagePermissions(QWebEnginePage *page, PermissionAnswers *answers, std::function<bool()> mayAsk,
        QWidget *view);

    void setInFront(bool inFront);
    // The page moves on, or its tab closes: the open question is refused and goes.
    void withdraw();

private:
    void requested(const QUrl &origin, QWebEnginePage::Feature feature);
    void answer(bool allow);
    void present();

    struct Request
    {
        QUrl origin;
        QWebEnginePage::Feature feature;
    };
    QWebEnginePage *m_page;
    PermissionAnswers *m_answers;
    std::function<bool()> m_mayAsk;
    std::optional<Request> m_open;
    bool m_inFront = false;
    QLabel *m_question = nullptr;
};
