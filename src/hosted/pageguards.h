#pragma once

// What one page view lets its page ask beyond showing itself, counted: the downloads it
// starts without the user acting in it, its script dialogs, and whether the user asked for
// the window it opens. Plain counters; the view asks them before it grants anything.
class PageGuards
{
public:
    // Downloads a page may start without the user acting in it, per page shown.
    static constexpr int downloadsWithoutUserAction = 3;
    // Script dialogs a page may open per page shown; further ones are answered as cancelled.
    static constexpr int dialogsPerPage = 3;
    // Times a load may ask the user to sign in; after that the site's answer stands.
    static constexpr int loginsPerLoad = 3;

    // A load started: its dialogs and logins are counted afresh, and its downloads as its
    // own.
    void loadStarted();
    // The load showed a page: from now on the page counts the downloads of its own load
    // only. A navigation that turns into a download shows no page, so it never starts the
    // count afresh.
    void pageShown();
    // A click or key press of the user's in the page.
    void userActed();

    // Whether one more download may start; counted when it may.
    bool allowDownload();
    // Whether one more dialog may open; counted either way.
    bool allowDialog();
    // Whether the dialog just refused was the first refused for this page.
    bool firstDialogRefused() const { return m_dialogs == dialogsPerPage + 1; }
    // Whether the user may be asked to sign in once more; counted when so.
    bool allowLogin();

    // The page asks for a new window, on the user's click or key press or by itself; the
    // answer is taken once, when the window is made.
    void windowRequested(bool userInitiated) { m_userAskedForWindow = userInitiated; }
    bool takeUserAskedForWindow();

private:
    int m_downloadsUnasked = 0;
    int m_downloadsThisLoad = 0;
    int m_dialogs = 0;
    int m_logins = 0;
    bool m_userAskedForWindow = false;
};
