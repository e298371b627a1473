#include "common/pagehooks.h"

NewWindowRequest PageHooks::askNewWindow(NewWindowRequest asked) const
{
    if (!m_newWindow) {
        asked.Cancel = true;
        return asked;
    }
    return m_newWindow(asked);
}

PageAnswer PageHooks::askQuestion(const PageQuestion &question) const
{
    if (m_questions)
        return m_questions->ask(question);
    return { question.kind == PageQuestion::Kind::Leave, {}, {} };
}
