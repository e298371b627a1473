#include "support/fakepageview.h"

#include <QKeyEvent>
#include <QPointer>

FakePageView::FakePageView(QWidget *parent)
    : PageView(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void FakePageView::focusInEvent(QFocusEvent *event)
{
    PageView::focusInEvent(event);
    emit GotFocus();
}

void FakePageView::keyPressEvent(QKeyEvent *event)
{
    keys << event->key();
}

void FakePageView::requestBodyInnerHtml(
    QObject *context, std::function<void(const QString &)> reply)
{
    if (!liveBody)
        return;
    // Answered later, as the engine does.
    QMetaObject::invokeMethod(
        context, [markup = *liveBody, reply = std::move(reply)] { reply(markup); },
        Qt::QueuedConnection);
}

void FakePageView::complete(
    const QString &newUrl, const QString &newName, std::optional<QString> newBody)
{
    url = newUrl;
    name = newName;
    body = newBody;
    liveBody = newBody;
    emit DocumentComplete(newUrl);
}

PageViewFactory FakeViews::factory()
{
    return [this](QWidget *parent) -> PageView * {
        auto *view = new FakePageView(parent);
        made << view;
        return view;
    };
}
