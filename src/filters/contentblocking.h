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
    // installed is read instead), then the user's own files. Asks nothing of Qt's
    // application, which may not be made yet.
    static QList<List> lists(const QStringList &ownFiles);

    // The rules of the lists, being read on a thread of their own; none, nothing is read.
    using Reading = std::shared_future<std::shared_ptr<const Filters::Engine>>;
    // Starts reading the lists, at once: the program starts this before its window and
    // its engine, beside which it reads.
    static Reading startReading(const QList<List> &lists);

    // Blocking by the rules being read; none blocks nothing.
    explicit ContentBlocking(Reading reading, QObject *parent = nullptr);
    ~ContentBlocking() override;

    bool enabled() const { return m_enabled; }
    // Whether the lists have been read; listsRead follows once they are.
    bool ready() const;
    // Whether a page's request is blocked: a subresource, a frame or a page's pop-up (never
    // the page the user asked for), of a page on a site where ads are not let through.
    bool blocks(const QUrl &request, const QUrl &page, Filters::Kind kind) const;
    // How a page's ad boxes are hidden before it first paints: a style sheet, and whether
    // the generic lone class and id rules apply too, but for those the page's site keeps.
    // Nothing where ads are let through or the lists except the page.
    struct Hiding
    {
        QString css;
        bool generic = false;
        QStringList kept;
    };
    Hiding hiding(const QUrl &page) const;
    // The generic rules that are a lone class or id, with their "." or "#".
    QStringList genericNames() const;
    // The sites the user let ads through for, for the rest of the run.
    bool allowedOn(const QUrl &page) const;
    void setAllowed(const QUrl &page, bool allowed);
    // What was read: rules honoured and left out, for --version and the README's figures.
    QString summary() const;

signals:
    void listsRead();

private:
    const Filters::Engine *engine() const;

    bool m_enabled;
    Reading m_engine;
    // Waits for the reading, to tell this once it is done.
    std::future<void> m_notice;
    QSet<Site> m_allowed;
};
