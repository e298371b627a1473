#pragma once

#include "common/pageview.h"
#include "filters/contentblocking.h"
#include "hosted/enginewait.h"

#include <memory>
#include <optional>
#include <QObject>
#include <QStringList>

class DownloadSaver;
class QLocale;
class EngineRoutes;
class PermissionAnswers;
class ProgressBatch;
class QWebEngineProfile;

// The engine's profile shared by every page view of the program: off the record (the
// browser keeps nothing between runs), pop-up requests always reach the host, downloads
// are saved by one DownloadSaver. It must outlive every view it made.
class EngineProfile final : public QObject
{
    Q_OBJECT
public:
    // blocking: the rules, being read, whose ads and trackers its pages never request; none
    // blocks nothing.
    explicit EngineProfile(ContentBlocking::Reading blocking = {}, QObject *parent = nullptr);
    ~EngineProfile() override;

    // The spelling dictionaries the engine finds, by name ("en_US"), and the one to check
    // text in for a locale; none where there is no dictionary of its language.
    static QStringList dictionaries();
    // Points the engine at the installed dictionaries, unless the user named a folder: the
    // engine reads where once, before the first profile, and looks nowhere else then.
    static void findDictionaries();
    static std::optional<QString> spellingLanguage(
        const QLocale &locale, const QStringList &dictionaries);

    // The web engine this program runs on, as it says itself: Qt WebEngine's version, its
    // Chromium's, and the Chromium version its security fixes come from.
    static QString version();

    // Makes page views on this profile.
    PageViewFactory factory();

    // Lets the profile go once its pages have: from an event loop of its own, after the work
    // the engine still had queued for the pages (and any page whose deletion was put off)
    // has run. Deleted while that work was queued, it left the engine's workers with freed
    // memory.
    static void deleteAfterPages(std::unique_ptr<EngineProfile> profile);
    static constexpr int afterPagesMs = 250;

    QWebEngineProfile *profile() const { return m_profile; }
    ContentBlocking *blocking() const { return m_blocking; }
    DownloadSaver *downloads() const { return m_downloads; }

private:
    void configure();

    // Made first: the lists are read while the engine starts.
    ContentBlocking *m_blocking = nullptr;
    QWebEngineProfile *m_profile = nullptr;
    DownloadSaver *m_downloads = nullptr;
    EngineRoutes *m_routes = nullptr;
    ProgressBatch *m_progress = nullptr;
    std::unique_ptr<PermissionAnswers> m_permissions;
    // A question of any of its pages on screen: the engine works for none of them.
    EngineWait m_engineWait;
};
