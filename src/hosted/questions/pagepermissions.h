#pragma once

#include "common/pageview.h"
#include "common/permissionanswers.h"

#include <functional>
#include <optional>
#include <QObject>
#include <QWebEnginePage>

// What one engine page asks permission for, told as the page view's questions. A request
// that is never asked (locking the mouse, sharing the screen, a frame of another site, a
// page of no site) is refused at once; one the user answered before for that site and kind
// gets that answer; past the page's bound on questions it is refused. The rest are told,
// and the answer given to a question is remembered for the run. A question belongs to the
// document it was asked over and its site: a new load withdraws it, and so does another
// site's address shown (a load that follows one that never ended starts without a word from
// the engine), while the same site's address changes keep it.
class PagePermissions final : public QObject
{
    Q_OBJECT
public:
    // mayAsk: counts a question against the page's bound, and says whether it may be asked.
    PagePermissions(QWebEnginePage *page, PermissionAnswers *answers, std::function<bool()> mayAsk,
        QObject *parent);

signals:
    void asked(const PermissionQuestion &question);
    // The page moved on, or took back a request: what it asked is no longer asked.
    void withdrawn();

private:
    void requested(const QUrl &origin, QWebEnginePage::Feature feature);

    QWebEnginePage *m_page;
    PermissionAnswers *m_answers;
    std::function<bool()> m_mayAsk;
    int m_lastId = 0;
    // The site whose questions were asked last, over the page shown.
    std::optional<Site> m_asking;
};
