#pragma once

#include "common/pageview.h"

#include <deque>
#include <optional>
#include <QFrame>

class QLabel;
class QPushButton;
class QTimer;

// One tab's questions from its site: a bar over the top of its page that names the site
// and what it wants, with Allow and Block. It never waits in a loop of its own: the page,
// its tab and every other tab go on. A question belongs to its page: shown while the tab is
// in front, withdrawn when the page moves on, refused when the tab closes. Further
// questions wait their turn, as the engine answers camera and microphone requests in the
// order they came.
class PermissionBar final : public QFrame
{
    Q_OBJECT
public:
    // Allow and Block take no click or key for this long after a question shows, so that a
    // click aimed at the page cannot answer a question that appears under the pointer.
    static constexpr int settleMs = 500;
    // Questions that wait behind the open one; further ones stay unanswered.
    static constexpr int waiting = 8;

    explicit PermissionBar(PageView *page);

    void ask(const PermissionQuestion &question);
    void setInFront(bool inFront);
    // The page moved on: its questions are no longer asked, and left unanswered, as the
    // engine would keep a refusal for the rest of the run.
    void withdraw();
    // The tab closes: its questions are refused, the refusal not held for the site.
    void refuseAll();

private:
    void hide();
    void answer(bool allow);
    void askNext();
    void present();

    std::optional<PermissionQuestion> m_open;
    std::deque<PermissionQuestion> m_waiting;
    bool m_inFront = false;
    QLabel *m_question = nullptr;
    QList<QPushButton *> m_buttons;
    QTimer *m_settling = nullptr;
};
