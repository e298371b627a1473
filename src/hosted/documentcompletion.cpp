#include "hosted/documentcompletion.h"

#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace {
// The completed document's body markup and its own title.
const QString completionScript
    = QStringLiteral("[document.body ? document.body.innerHTML : null, document.title]");
} // namespace

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
    QTimer::singleShot(
        patienceMs, this, [this, generation] { complete(generation, std::nullopt, QString()); });
}

void DocumentCompletion::complete(
    quint64 generation, const std::optional<QString> &body, const QString &title)
{
    if (m_generation != generation || m_completed == generation)
        return;
    m_completed = generation;
    emit completed(body, title);
}
