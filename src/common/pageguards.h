#pragma once

#include <QtGlobal>

// What one page view lets its page ask beyond showing itself, counted: the downloads it
// starts without the user acting in it, its script dialogs and logins. Plain counters;
// the view asks them before it grants anything.
class PageGuards
{
public:
    // Downloads a tab's pages may start without the user acting in it: this many at first,
    // then one every downloadRefillMs, however often the page loads itself again. A click,
    // a key or an address typed in the tab gives them all back.
    static constexpr int downloadsWithoutUserAction = 3;
    static constexpr qint64 downloadRefillMs = 60'000;
    // Script dialogs a page may open per page shown; further ones are answered as cancelled.
    static constexpr int dialogsPerPage = 3;
    // Times a load may ask the user to sign in; after that the site's answer stands.
    static constexpr int loginsPerLoad = 3;

    // A load started: its dialogs and logins are counted afresh.
    void loadStarted();
    // A click or key press of the user's in the page, or an address the user typed.
    void userActed();

    // Whether one more download may start at nowMs (a monotonic clock); counted when so.
    bool allowDownload(qint64 nowMs);
    // Whether one more dialog may open; counted either way.
    bool allowDialog();
    // Whether the dialog just refused was the first refused for this page.
    bool firstDialogRefused() const { return m_dialogs == dialogsPerPage + 1; }
    // Whether the user may be asked to sign in once more; counted when so.
    bool allowLogin();

private:
    int m_downloads = downloadsWithoutUserAction;
    // Since when the next download is being earned back.
    qint64 m_earningSince = 0;
    int m_dialogs = 0;
    int m_logins = 0;
};
