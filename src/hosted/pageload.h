#pragma once

#include "common/site.h"

#include <optional>
#include <QObject>
#include <QString>
#include <QUrl>

class DocumentCompletion;
class PageInput;
class ProgressBatch;
class QWebEngineLoadingInfo;
class QWebEnginePage;

// One page's loads told as the window's handlers expect to hear of them. The engine reports
// a load's start, progress and end, and a renderer's end; this makes up from them the status
// texts, the lock level, the progress and the completion of a document, which comes only
// once its body and title are read.
class PageLoad final : public QObject
{
    Q_OBJECT
public:
    PageLoad(
        DocumentCompletion *completion, PageInput *input, ProgressBatch *progress, QObject *parent);

    void watch(QWebEnginePage *page);

    bool isLoading() const { return m_loading; }
    // Whether a document was ever shown: a tab whose first load failed shows nothing.
    bool shownDocument() const { return m_shownDocument; }
    // The completed document's body markup and the title it gave itself.
    const std::optional<QString> &body() const { return m_body; }
    const QString &documentTitle() const { return m_documentTitle; }
    // The address of the load that ended in a network error, while it is the one shown.
    const std::optional<QUrl> &failedAddress() const { return m_failed; }

signals:
    // A load of the page started: what was counted for the page before starts again.
    void started();
    void StatusTextChange(const QString &text);
    void ProgressChange(int progress, int progressMax);
    void NavigateError(const QString &url, int statusCode);
    void SetSecureLockIcon(int level);
    void DownloadComplete();
    void documentCompleted();

private:
    void loadingChanged(const QWebEngineLoadingInfo &info);
    void tellProgress();
    void loadSucceeded();
    void failedOnNetwork(const QUrl &address);
    void documentRead(const std::optional<QString> &body, const QString &title);
    void rendererGone();
    void loadEnded();

    DocumentCompletion *m_completion;
    PageInput *m_input;
    ProgressBatch *m_progressBatch;
    QWebEnginePage *m_page = nullptr;
    bool m_loading = false;
    int m_progress = 0;
    // The address a load started with, told with its first progress.
    std::optional<QString> m_startText;
    bool m_shownDocument = false;
    std::optional<QString> m_body;
    QString m_documentTitle;
    std::optional<QUrl> m_failed;
    // The site of the address shown.
    std::optional<Site> m_site;
};
