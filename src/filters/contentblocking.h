#pragma once

#include "common/site.h"
#include "filters/rules.h"

#include <future>
#include <memory>
#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QStringList>

class QUrl;
namespace Filters {
class Engine;
}

// The run's blocking of ads and trackers: the lists, read off the user-interface thread as
// the program starts, and the sites the user let ads through for. Nothing is downloaded
// and nothing is written. A page asking before the lists are read waits for them, once:
// no page loads unfiltered.
class ContentBlocking final : public QObject
{
    Q_OBJECT
public:
    struct List
    {
        QString path;
        QString name; // "EasyList", or the file's name for the user's own
        QDateTime date;
    };
    // The lists Tessarvine ships (a newer copy that Debian's uBlock Origin packages
    // installed is read instead), then the user's own files.
    static QList<List> lists(const QStringList &ownFiles);

    // Blocking by the lists in these files; none blocks nothing.
    explicit ContentBlocking(const QList<List> &lists, QObject *parent = nullptr);
    ~ContentBlocking() override;

    bool enabled() const { return m_enabled; }
    // Whether a page's request is blocked: a subresource, a frame or a page's pop-up (never
    // the page the user asked for), of a page on a site where ads are not let through.
    bool blocks(const QUrl &request, const QUrl &page, Filters::Kind kind) const;
    // The style sheet that hides a page's ad boxes before it first paints; empty for none.
    QString hidingCss(const QUrl &page) const;
    // The sites the user let ads through for, for the rest of the run.
    bool allowedOn(const QUrl &page) const;
    void setAllowed(const QUrl &page, bool allowed);
    // What was read: rules honoured and left out, for --version and the README's figures.
    QString summary() const;

private:
    const Filters::Engine *engine() const;

    bool m_enabled;
    mutable std::shared_future<std::shared_ptr<const Filters::Engine>> m_engine;
    QSet<Site> m_allowed;
};
