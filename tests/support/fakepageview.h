#pragma once

#include "common/pageview.h"

#include <QStringList>

// A page view without an engine: it records what the window asks of it, answers with
// what the test set, and raises its events when the test says so.
class FakePageView final : public PageView, public PageActions
{
    Q_OBJECT
public:
    explicit FakePageView(QWidget *parent = nullptr);

    void Navigate(const QString &address) override { navigated << address; }
    void GoBack() override { ++backs; }
    void GoForward() override { ++forwards; }
    void Stop() override { ++stops; }
    void Reload() override { ++reloads; }
    void ExitFullScreen() override { ++fullScreenExits; }
    void setZoomLevel(int level) override { zoomLevels << level; }
    int zoomLevel() const override { return zoomLevels.isEmpty() ? 2 : zoomLevels.last(); }
    void Find(const QString &text, bool backward) override { finds << qMakePair(text, backward); }

    bool isLoading() const override { return loading; }
    // In front, or covered; covered, it rests as deeply as asked; brought in front, a page
    // that rests wakes, and one that slept loads again.
    void setInFront(bool front) override
    {
        inFront = front;
        if (front && resting != Rest::Awake) {
            wakes += resting == Rest::Asleep ? 1 : 0;
            resting = Rest::Awake;
        }
    }
    Rest rest(Rest deepest) override { return resting = deepest; }
    bool Print(QPrinter *) override { return !LocationURL().isEmpty(); }
    void SavePage(const QString &, SaveFormat) override { }
    void SaveLink(const QString &, const QString &) override { }
    PageActions &pageActions() override { return *this; }
    // A page with unsaved work asks before it is left: the question waits in leaveAsked
    // until the test answers it.
    void askToClose(int patienceMs, std::function<void(bool leave)> decided) override
    {
        patiences << patienceMs;
        if (asksToLeave)
            leaveAsked = std::move(decided);
        else
            decided(true);
    }
    // Where the developer tools draw the page's, and whether an element was picked.
    void inspectIn(PageView *tools, bool element) override
    {
        inspected << qMakePair(tools, element);
    }
    QList<QPair<PageView *, bool>> inspected;
    bool isAudible() const override { return audible; }
    bool isMuted() const override { return muted; }
    void setMuted(bool mute) override
    {
        muted = mute;
        emit AudioChange();
    }
    bool audible = false;
    bool muted = false;
    bool asksToLeave = false;
    QList<int> patiences;
    std::function<void(bool leave)> leaveAsked;
    QString LocationURL() const override { return url; }
    QString LocationName() const override { return name; }
    std::optional<QString> bodyInnerHtml() const override { return body; }
    void requestBodyInnerHtml(
        QObject *context, std::function<void(const QString &)> reply) override;

    // What the view reports.
    bool loading = false;
    bool inFront = false;
    Rest resting = Rest::Awake;
    QString url;
    QString name;
    std::optional<QString> body;
    // The markup a fresh read finds; nothing means the page has no body.
    std::optional<QString> liveBody;

    // What the window asked.
    QStringList navigated;
    int backs = 0;
    int forwards = 0;
    int stops = 0;
    int reloads = 0;
    int fullScreenExits = 0;
    // How often a sleeping page was woken, and so loaded again.
    int wakes = 0;
    QList<int> zoomLevels;
    QList<QPair<QString, bool>> finds;
    // The keys the page received.
    QList<int> keys;

    // Completes a document as the engine would: the view reports the page, then the event.
    void complete(const QString &newUrl, const QString &newName,
        std::optional<QString> newBody = std::nullopt);

protected:
    // A click into the page gives it the focus, which the view reports, as the engine's does.
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

// Makes fake views and keeps a list of every one made, template first.
struct FakeViews
{
    QList<FakePageView *> made;
    PageViewFactory factory();
};
