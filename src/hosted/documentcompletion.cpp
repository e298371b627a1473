#include "hosted/documentcompletion.h"

#include "hosted/enginewait.h"

#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace {
// Read in the application's own script world, where the page's scripts cannot replace the
// getter of innerHTML.
const QString bodyScript = QStringLiteral("document.body ? document.body.innerHTML : null");
// The completed document's body markup and its own title.
const QString completionScript
    = QStringLiteral("[document.body ? document.body.innerHTML : null, document.title]");
} // namespace

DocumentCompletion::DocumentCompletion(const EngineWait &engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
{ }

void DocumentCompletion::loadSucceeded(QWebEnginePage *page)
{
    const quint64 generation = m_generation;
    page->runJavaScript(completionScript, QWebEngineScript::ApplicationWorld,
        [self = QPointer(this), generation](const QVariant &result) {
            if (!self)
                return;
            const QVariantList parts = result.toList();
            const QVariant body = parts.value(0);
            self->complete(generation,
                body.typeId() == QMetaType::QString ? std::optional(body.toString()) : std::nullopt,
                parts.value(1).toString());
        });
    waitPatiently(generation);
}

void DocumentCompletion::waitPatiently(quint64 generation)
{
    QTimer::singleShot(patienceMs, this, [this, generation] {
        // While a dialog waits the engine answers no tab, so silence says nothing of this
        // page; and a completion now would activate this tab and end the dialog of the one
        // in front.
        if (m_engine.waiting())
            waitPatiently(generation);
        else
            complete(generation, std::nullopt, QString());
    });
}

void DocumentCompletion::readBody(
    QWebEnginePage *page, QObject *context, std::function<void(const QString &)> reply)
{
    const quint64 generation = m_generation;
    page->runJavaScript(bodyScript, QWebEngineScript::ApplicationWorld,
        [self = QPointer(this), guard = QPointer(context), generation, reply = std::move(reply)](
            const QVariant &result) {
            if (self && guard && self->m_generation == generation
                && result.typeId() == QMetaType::QString)
                reply(result.toString());
        });
}

void DocumentCompletion::complete(
    quint64 generation, const std::optional<QString> &body, const QString &title)
{
    if (m_generation != generation || m_completed == generation)
        return;
    m_completed = generation;
    emit completed(body, title);
}
