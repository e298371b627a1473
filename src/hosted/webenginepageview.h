#pragma once

#include "hosted/pageview.h"
#include "hosted/scriptdialog.h"

#include <QUrl>

class EngineRoutes;
class QWebEngineDownloadRequest;
class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;
class QWebEnginePage;
class QWebEngineView;

// The page view on Qt WebEngine. The engine says less than the window's handlers expect
// (no status texts, no lock state, document access only asynchronously), so this class
// makes those up from what the engine does say.
class WebEnginePageView final : public PageView
{
    Q_OBJECT
public:
    // Downloads a page may start without the user acting in it, per page shown.
    static constexpr int downloadsWithoutUserAction = 3;
    // Script dialogs a page may open per page shown; further ones are answered as cancelled.
    static constexpr int dialogsPerPage = 3;

    explicit WebEnginePageView(EngineRoutes *routes, QWidget *parent = nullptr);
    ~WebEnginePageView() override;

    void Navigate(const QString &address) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Reload() override;
    void setZoomLevel(int level) override;
    int zoomLevel() const override { return m_zoomLevel; }
    void Find(const QString &text, bool backward) override;

    QString LocationURL() const override;
    QString LocationName() const override;
    std::optional<QString> bodyInnerHtml() const override;
    void requestBodyInnerHtml(
        QObject *context, std::function<void(const QString &)> reply) override;
    void release() override;

    // The engine's page and view of this tab, made on first use.
    QWebEnginePage *page();
    QWebEngineView *engineView();
    EngineRoutes *routes() const { return m_routes; }

    // Routed to this view alone (EngineRoutes): the keyboard focus came into the view
    // (chosen by the user, or handed on by a view going behind) or left it, and its page
    // asked for a download.
    void focusEntered(bool chosen);
    void focusLeft();
    void downloadRequested(QWebEngineDownloadRequest *download);
    // The view is the one in sight, or lies behind another: only the one in sight draws its
    // page, so that covered tabs cost what hidden ones do.
    void comeForward();
    void goBehind();
    // Raises the progress of the load under way, as last heard from the engine.
    void tellProgress();

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Page;

    void ensureEngine();
    void onLoadingChanged(const QWebEngineLoadingInfo &info);
    void onLoadSucceeded();
    // The document of a load completes, once its body and title are read (or could not be).
    void completeDocument(quint64 generation, std::optional<QString> body, const QString &title);
    void onLoadEnded();
    void onRendererGone();
    void onNewWindowRequested(QWebEngineNewWindowRequest &request);
    QWebEnginePage *onCreateWindow();
    bool runDialog(ScriptDialog::Kind kind, const QUrl &origin, const QString &message,
        const QString &defaultValue = {}, QString *value = nullptr);

    EngineRoutes *m_routes = nullptr;
    QWebEngineView *m_view = nullptr;
    Page *m_page = nullptr;
    // Counts the loads started, so that a late script answer about an earlier page is
    // recognised and dropped.
    quint64 m_loadGeneration = 0;
    quint64 m_completedGeneration = 0;
    bool m_loading = false;
    bool m_shownDocument = false;
    bool m_hadFocus = false;
    std::optional<QString> m_body;
    // The title the completed document gave itself.
    QString m_documentTitle;
    // A load asked for before the window was first shown.
    QUrl m_loadWhenShown;
    // Whether the user asked for the window a page is asking for now.
    bool m_userAskedForWindow = false;
    // Downloads since the user last acted in the page, and those of the load under way.
    int m_downloadsUnasked = 0;
    int m_downloadsThisLoad = 0;
    int m_dialogs = 0;
    int m_dialogsOpen = 0;
    bool m_released = false;
    int m_zoomLevel = 2;
    bool m_inFront = false;
    int m_progress = 0;
};
