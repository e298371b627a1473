#pragma once

#include "hosted/pageview.h"

#include <QObject>

class DownloadSaver;
class EngineRoutes;
class ProgressBatch;
class QWebEngineProfile;

// The engine's profile shared by every page view of the program: off the record (the
// browser keeps nothing between runs), pop-up requests always reach the host, downloads
// are saved by one DownloadSaver. It must outlive every view it made.
class EngineProfile final : public QObject
{
    Q_OBJECT
public:
    explicit EngineProfile(QObject *parent = nullptr);
    ~EngineProfile() override;

    // Makes page views on this profile.
    PageViewFactory factory();

    QWebEngineProfile *profile() const { return m_profile; }
    DownloadSaver *downloads() const { return m_downloads; }

private:
    QWebEngineProfile *m_profile = nullptr;
    DownloadSaver *m_downloads = nullptr;
    EngineRoutes *m_routes = nullptr;
    ProgressBatch *m_progress = nullptr;
};
