#pragma once

#include <functional>
#include <QString>
#include <utility>

// A page's request for a new window as its one handler answers it: either refuse it, or
// name the view that is to receive the new window's page.
struct NewWindowRequest
{
    class PageView *ppDisp = nullptr;
    bool Cancel = false;
    // Whether a click or key press of the user's asked for it, rather than the page alone.
    bool userInitiated = false;
    // The user opened a link in a new tab (a middle click, Ctrl+click, the page's menu):
    // their own act, never a pop-up; behind the tab in front, unless they asked for it in
    // front (Ctrl+Shift+click).
    bool linkInNewTab = false;
    bool behind = false;
    // The lists name its address as a pop-up's: it is blocked as one, with the notice.
    bool filtered = false;
};

// A page's question to the user: its script's alert, confirm or prompt, a site's request to
// sign in, or whether to leave the page. Everything in it but the kind is the page's.
struct PageQuestion
{
    enum class Kind { Alert, Confirm, Prompt, Login, Leave };
    Kind kind = Kind::Alert;
    QString site; // who asks, as sites are shown; empty for a page of no site
    QString message; // the page's words, or a login's realm
    QString defaultValue;
    bool unencrypted = false; // a login's password would go unencrypted
    bool takeFocus = false; // the page has the keyboard: the question takes it
};
struct PageAnswer
{
    bool accepted = false;
    QString value; // a prompt's answer, or a login's user name
    QString password;
};

// Who puts a page's questions to the user, over the page, and waits for the answer while
// the program runs on: the page's tab. It lives no longer than the page.
class PageQuestions
{
public:
    virtual ~PageQuestions() = default;
    virtual PageAnswer ask(const PageQuestion &question) = 0;
    // Every question on screen ends as cancelled.
    virtual void dismiss() = 0;
};

// What a page asks of the browser, each answered by its one owner (the page's tab); a
// question with no owner is refused.
class PageHooks
{
public:
    // A new window: which view takes it, if any.
    using NewWindowHandler = std::function<NewWindowRequest(NewWindowRequest asked)>;
    void setNewWindowHandler(NewWindowHandler handler) { m_newWindow = std::move(handler); }
    NewWindowRequest askNewWindow(NewWindowRequest asked) const;
    // A window the page asks for, the user's click or key having asked or not.
    NewWindowRequest askNewWindow(bool userInitiated) const
    {
        NewWindowRequest asked;
        asked.userInitiated = userInitiated;
        return askNewWindow(asked);
    }
    // The page's questions, as their one owner puts them. Without an owner, a page is
    // left, and every other question is answered as cancelled.
    void setQuestions(PageQuestions *questions) { m_questions = questions; }
    PageAnswer askQuestion(const PageQuestion &question) const;
    void dismissQuestions() const
    {
        if (m_questions)
            m_questions->dismiss();
    }
    // Full screen, on or off: whether it is granted.
    using FullScreenHandler = std::function<bool(bool on)>;
    void setFullScreenHandler(FullScreenHandler handler) { m_fullScreen = std::move(handler); }
    bool askFullScreen(bool on) const { return m_fullScreen && m_fullScreen(on); }

private:
    NewWindowHandler m_newWindow;
    FullScreenHandler m_fullScreen;
    PageQuestions *m_questions = nullptr;
};
