#include "hosted/questions/pagepermissions.h"

#include "common/site.h"
#include "hosted/questions/permissionrules.h"

#include <QPointer>

PagePermissions::PagePermissions(
    QWebEnginePage *page, PermissionAnswers *answers, std::function<bool()> mayAsk, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_answers(answers)
    , m_mayAsk(std::move(mayAsk))
{
    connect(page, &QWebEnginePage::featurePermissionRequested, this, &PagePermissions::requested);
    connect(page, &QWebEnginePage::loadStarted, this, &PagePermissions::withdrawn);
    // A page that writes its own address (a map following the user) keeps its question; a
    // page of another site shown, even before its load ends, does not.
    connect(page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        if (m_asking && Site::of(url) != m_asking)
            emit withdrawn();
    });
    connect(
        page, &QWebEnginePage::featurePermissionRequestCanceled, this, &PagePermissions::withdrawn);
}

void PagePermissions::requested(const QUrl &origin, QWebEnginePage::Feature feature)
{
    const QPointer<QWebEnginePage> page = m_page;
    const auto settle = [page, origin, feature](bool allow) {
        if (page)
            page->setFeaturePermission(origin, feature,
                allow ? QWebEnginePage::PermissionGrantedByUser
                      : QWebEnginePage::PermissionDeniedByUser);
    };
    const auto kind = Permissions::kindOf(feature);
    const auto site = Permissions::asker(origin, m_page->url());
    // Refused without asking, and not counted against the page's questions.
    if (!kind || !site)
        return settle(false);
    if (const auto answered = m_answers->given(*site, *kind))
        return settle(*answered);
    if (!m_mayAsk())
        return settle(false);
    PermissionAnswers *answers = m_answers;
    m_asking = site;
    emit asked(
        { *site, *kind, ++m_lastId, settle, [answers, site = *site, kind = *kind](bool allow) {
             // Held for the run, for that site and kind alone.
             answers->remember(site, kind, allow);
         } });
}
