#pragma once

// Whether the engine waits on the user: while any page's question is on screen the engine
// runs a nested loop and does no work for any tab, so a page's silence then says nothing.
// One for a profile, shared by its views: whoever shows a question counts it here.
class EngineWait
{
public:
    bool waiting() const { return m_questions > 0; }
    // One question on screen for as long as this lives.
    class Question
    {
    public:
        explicit Question(EngineWait &wait)
            : m_wait(wait)
        {
            ++m_wait.m_questions;
        }
        ~Question() { --m_wait.m_questions; }
        Question(const Question &) = delete;
        Question &operator=(const Question &) = delete;

    private:
        EngineWait &m_wait;
    };

private:
    int m_questions = 0;
};
