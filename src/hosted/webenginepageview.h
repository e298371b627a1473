#pragma once

#include "common/pageguards.h"
#include "common/pageview.h"

#include <memory>
#include <QUrl>

class DocumentCompletion;
class DownloadSaver;
class EnginePage;
class EngineActions;
class EngineRoutes;
class Leaving;
class PageLoad;
class PageDownloads;
class PageInput;
class PageRoute;
class ProgressBatch;
class QWebEngineNewWindowRequest;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;
class QuestionWait;
class ScriptDialogs;
class SignIn;

// The page view on Qt WebEngine. The engine says less than the window's handlers expect
// (no status texts, no lock state, document access only asynchronously), so this class
// makes those up from what the engine does say.
class WebEnginePageView final : public PageView
{
    Q_OBJECT
public:
    // What every view of one profile shares, given to each when it is made.
    struct Parts
    {
        QWebEngineProfile *profile = nullptr;
        DownloadSaver *downloads = nullptr;
        EngineRoutes *routes = nullptr;
        ProgressBatch *progress = nullptr;
        class PermissionAnswers *permissions = nullptr;
        class EngineWait *engineWait = nullptr;
        class ContentBlocking *blocking = nullptr;
    };

    explicit WebEnginePageView(const Parts &parts, QWidget *parent = nullptr);
    ~WebEnginePageView() override;

    // The engine's page and view of this tab, made on first use.
    QWebEnginePage *enginePage();
    QWebEngineView *engineView();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The page view's operations: its users know it as a PageView.
    void Navigate(const QString &address) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Reload() override;

    QString LocationURL() const override;
    QString LocationName() const override;
    std::optional<QString> bodyInnerHtml() const override;
    void requestBodyInnerHtml(
        QObject *context, std::function<void(const QString &)> reply) override;
    bool isLoading() const override;
    void setInFront(bool inFront) override;
    Rest rest(Rest deepest) override;
    PageActions &pageActions() override;
    void askToClose(int patienceMs, std::function<void(bool leave)> decided) override;
    void release() override;

    void ensureEngine();
    void watchRequests();
    void watchPage();
    void onNewWindow(QWebEngineNewWindowRequest &request);
    // The engine's developer tools for the page, drawn in the view given; none stops them.
    void inspectIn(PageView *tools, bool element);

    Parts m_parts;
    PageRoute *m_route = nullptr;
    DocumentCompletion *m_completion = nullptr;
    // What the page may ask, counted: shared by what it asks of the user, its downloads and
    // what the user gives it back.
    PageGuards m_guards;
    PageInput *m_input = nullptr;
    // What the page asks of the user, and the engine's work that waits while it does.
    QuestionWait *m_wait = nullptr;
    Leaving *m_leaving = nullptr;
    ScriptDialogs *m_dialogs = nullptr;
    SignIn *m_signIn = nullptr;
    PageDownloads *m_downloads = nullptr;
    PageLoad *m_load = nullptr;
    class PageOutput *m_output = nullptr;
    class PageFilter *m_filter = nullptr;
    std::unique_ptr<EngineActions> m_actions;
    QWebEngineView *m_view = nullptr;
    EnginePage *m_page = nullptr;
    // A load asked for before the window was first shown.
    QUrl m_loadWhenShown;
    QString m_hoveredLink;
    bool m_inFront = false;
    // Opened by another page's request for a window: it may close itself.
    bool m_openedByPage = false;
};
