#pragma once

#include "hosted/pageview.h"

#include <QUrl>

class DownloadSaver;
class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

// The page view on Qt WebEngine. The engine says less than the window's handlers expect
// (no status texts, no lock state, document access only asynchronously), so this class
// makes those up from what the engine does say.
class WebEnginePageView final : public PageView
{
    Q_OBJECT
public:
    WebEnginePageView(
        QWebEngineProfile *profile, DownloadSaver *downloads, QWidget *parent = nullptr);
    ~WebEnginePageView() override;

    void Navigate(const QString &address) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void setZoomLevel(int level) override;

    QString LocationURL() const override;
    QString LocationName() const override;
    std::optional<QString> bodyInnerHtml() const override;
    void requestBodyInnerHtml(
        QObject *context, std::function<void(const QString &)> reply) override;

    // The engine's page and view of this tab, made on first use.
    QWebEnginePage *page();
    QWebEngineView *engineView();

protected:
    void showEvent(QShowEvent *event) override;

private:
    class Page;

    void ensureEngine();
    void onLoadingChanged(const QWebEngineLoadingInfo &info);
    void onLoadSucceeded();
    void onLoadEnded();
    void onRendererGone();
    void onFocusChanged(QWidget *now);
    QWebEnginePage *onCreateWindow();

    QWebEngineProfile *m_profile = nullptr;
    QWebEngineView *m_view = nullptr;
    Page *m_page = nullptr;
    DownloadSaver *m_downloads = nullptr;
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
};
