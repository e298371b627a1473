#pragma once

// A fixture for the page view on the real engine: a local server, a profile, and views
// made on it, all gone after each test.
#include "hosted/engineprofile.h"
#include "hosted/webenginepageview.h"
#include "support/httpresponder.h"

#include <QCoreApplication>
#include <QObject>

class PageViewTest : public QObject
{
    Q_OBJECT
public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }
    static constexpr int timeout = 20000;

protected:
    void start()
    {
        m_server = new HttpResponder;
        m_profile = new EngineProfile;
    }
    void stop()
    {
        qDeleteAll(m_views);
        m_views.clear();
        EngineProfile::deleteAfterPages(std::unique_ptr<EngineProfile>(m_profile));
        delete m_server;
    }
    PageView *makeView()
    {
        PageView *view = m_profile->factory()(nullptr);
        view->resize(640, 480);
        view->show();
        m_views << view;
        return view;
    }

    // The engine behind a view the profile made.
    static WebEnginePageView *engine(PageView *view)
    {
        return static_cast<WebEnginePageView *>(view);
    }

    HttpResponder *m_server = nullptr;
    EngineProfile *m_profile = nullptr;
    QList<QWidget *> m_views;
};
