#include "hosted/enginepage.h"

#include "common/site.h"

#include <utility>

EnginePage::EnginePage(QWebEngineProfile *profile, Hooks hooks, QObject *parent)
    : QWebEnginePage(profile, parent)
    , m_hooks(std::move(hooks))
{ }

namespace {

PageView::Rest restOf(QWebEnginePage::LifecycleState state)
{
    switch (state) {
    case QWebEnginePage::LifecycleState::Frozen:
        return PageView::Rest::Frozen;
    case QWebEnginePage::LifecycleState::Discarded:
        return PageView::Rest::Asleep;
    default:
        return PageView::Rest::Awake;
    }
}

// A dialog names its site as every question of a site does; a page of none (a file, a
// sandboxed frame) is "This page".
QString named(const QUrl &origin)
{
    const auto site = Site::of(origin);
    return site ? site->shown() : QString();
}

} // namespace

PageView::Rest EnginePage::rest() const
{
    return restOf(lifecycleState());
}

PageView::Rest EnginePage::recommendedRest() const
{
    return restOf(recommendedState());
}

void EnginePage::setRest(PageView::Rest rest)
{
    setLifecycleState(rest == PageView::Rest::Asleep ? LifecycleState::Discarded
            : rest == PageView::Rest::Frozen         ? LifecycleState::Frozen
                                                     : LifecycleState::Active);
}

bool EnginePage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    m_hooks.navigationAsked(url, isMainFrame);
    return true;
}

void EnginePage::javaScriptAlert(const QUrl &origin, const QString &message)
{
    m_hooks.dialog(PageQuestion::Kind::Alert, named(origin), message, QString(), nullptr);
}

bool EnginePage::javaScriptConfirm(const QUrl &origin, const QString &message)
{
    return m_hooks.dialog(PageQuestion::Kind::Confirm, named(origin), message, QString(), nullptr);
}

bool EnginePage::javaScriptPrompt(
    const QUrl &origin, const QString &message, const QString &defaultValue, QString *result)
{
    return m_hooks.dialog(PageQuestion::Kind::Prompt, named(origin), message, defaultValue, result);
}
