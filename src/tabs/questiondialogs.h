#pragma once

#include "common/pageview.h"

#include <QObject>

// A tab's page's questions, each put in a dialog over that page alone: the page's alerts,
// confirms, prompts and sign-ins, and whether to leave it. A child of the page, so that it
// lasts as long as a question of the page can be on the stack.
class QuestionDialogs final : public QObject, public PageQuestions
{
    Q_OBJECT
public:
    explicit QuestionDialogs(PageView *page);

    PageAnswer ask(const PageQuestion &question) override;
    void dismiss() override;

private:
    PageView *m_page;
};
