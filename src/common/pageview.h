#pragma once

#include "common/pageactions.h"
#include "common/pagehooks.h"
#include "common/permissionanswers.h"
#include "common/site.h"

#include <functional>
#include <optional>
#include <QWidget>

// A site's question to the user, as its page view puts it: which site asks, and for what.
// Each operation settles it for the page that asked, once; after its page has gone it does
// nothing. A question withdrawn is left unanswered, as the engine would keep a refusal.
struct PermissionQuestion
{
    Site site;
    Permission kind;
    int id = 0;
    // To the page that asked, and to the answers held for the run.
    std::function<void(bool allow)> settle;
    std::function<void(bool allow)> remember;

    // The user's answer: it holds for the site and kind for the rest of the run.
    void answer(bool allow) const
    {
        remember(allow);
        settle(allow);
    }
    // The tab closes: refused, and the site may ask again in another tab.
    void refuseForClose() const { settle(false); }
};

// One tab's page view: the embedded web-browser control as the window's handlers see it.
// Every operation and event the browser relies on, and nothing of the engine behind it,
// so that the window can be driven by a fake view in tests.
class PageView : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    ~PageView() override;

    // Starts loading the address as typed; the view resolves an address without a scheme.
    virtual void Navigate(const QString &address) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    // Loads the page shown again; also brings back a page whose renderer ended.
    virtual void Reload() = 0;
    // Whether a load of the page is under way.
    virtual bool isLoading() const { return false; }
    // The address of the page shown, empty before anything was shown.
    virtual QString LocationURL() const = 0;
    // A short name of the page shown (its title, or its address when it has none).
    virtual QString LocationName() const = 0;
    // The markup inside the body of the completed document shown, as it was when it
    // completed; nothing when it had no body, or while another page loads.
    virtual std::optional<QString> bodyInnerHtml() const = 0;
    // Reads the page's current body markup afresh. The answer may come later; it never
    // comes after the view or the context is gone, after the view started loading another
    // page, or when the page has no body.
    virtual void requestBodyInnerHtml(QObject *context, std::function<void(const QString &)> reply)
        = 0;

    // Told by activation: the view in sight draws its page; the views it covers rest, as
    // hidden ones do. A view starts out behind. Coming in front wakes a page that rests.
    virtual void setInFront(bool inFront) { Q_UNUSED(inFront); }

    // How deeply a covered page rests: not at all, frozen (its timers and scripts stop), or
    // asleep (its page is let go, and loads again from its address when it wakes).
    enum class Rest { Awake, Frozen, Asleep };
    // Lets a covered page rest as deeply as it may, at most as deeply as asked: one that
    // loads, plays sound, waits on a dialog or downloads does not rest; one the user typed
    // into since it loaded does not sleep. How deeply it rests now.
    virtual Rest rest(Rest deepest)
    {
        Q_UNUSED(deepest);
        return Rest::Awake;
    }

    // Zoom, find, full screen, developer tools, printing, saving and muting. Not actions():
    // that would hide the widget's own list of actions.
    virtual PageActions &pageActions() = 0;

    // What the page asks of the browser, each answered by its one owner.
    PageHooks &hooks() { return m_hooks; }

    // The tab or the window is to close: the page's beforeunload runs, and a page that
    // wants to be asked puts the question to the user over itself (its tab comes in front
    // first). decided follows with whether to leave: at once when there is nothing to ask,
    // and after patienceMs (not counting the time the question is on screen) from a page
    // that does not answer.
    static constexpr int leavePatienceMs = 3000;
    virtual void askToClose(int patienceMs, std::function<void(bool leave)> decided)
    {
        Q_UNUSED(patienceMs);
        decided(true);
    }

    // The tab closes: the view goes once nothing of its own is still waiting on the stack
    // (a page's dialog), and at the latest when the event being handled is done.
    virtual void release() { deleteLater(); }

signals:
    void StatusTextChange(const QString &Text);
    void ProgressChange(int Progress, int ProgressMax);
    void DownloadComplete();
    void TitleChange(const QString &Text);
    void DocumentComplete(const QString &URL);
    // The page shows another address: the engine committed a document there (which may
    // still load), an address typed starts to load, or the page rewrote its own address.
    void LocationChange(const QString &URL);
    void SetSecureLockIcon(int SecureLockIcon);
    // A download of the page's is accepted and starts.
    void FileDownload();
    void NavigateError(const QString &URL, int StatusCode);
    void GotFocus();
    // The page asked to close its window (window.close()).
    void WindowClosing();
    // The page puts a dialog (an alert, a confirm, a prompt, a login) over itself.
    void DialogShown();
    // The page asks, as it is closed, whether to leave it: its tab is to come in front, so
    // that the question can be seen.
    void LeaveAsked();
    // The user chose "Inspect" from the page's menu.
    void InspectRequested();
    // The page started or stopped playing sound, or was muted or unmuted.
    void AudioChange();
    // The page asked to be printed (window.print()), as its guards allow.
    void PrintRequested();
    void PrintFinished(bool ok);
    // The user chose to save the page (an empty link) or a link's resource from the page's
    // menu, suggesting a file name.
    void SaveRequested(const QString &link, const QString &suggestedName);
    // The page's site asks the user a question (to know the location, say): only the top
    // page's own site, past the answers given before and the page's bound on questions.
    void PermissionAsked(const PermissionQuestion &question);
    // The page moved on, or took back what it asked: its questions are no longer asked.
    void PermissionsWithdrawn();
    // The outcome of Find: the match now highlighted (from 1; 0 for none) and how many
    // there are.
    void FindResult(int active, int total);

private:
    PageHooks m_hooks;
};

// Makes the page views of a window; every view of one window comes from one factory.
using PageViewFactory = std::function<PageView *(QWidget *parent)>;
