#pragma once

#include <functional>
#include <optional>
#include <QObject>

class EngineWait;
class QWebEnginePage;

// Tells when a load's document is complete: once its body markup and the title it gave
// itself are read in the application's script world, where the page's own scripts cannot
// replace the getter of innerHTML; or, for a page whose scripts keep its renderer busy and
// never answer, after a patience, without a body. It counts the loads, so that an answer
// about a page that has been left is recognised and dropped.
class DocumentCompletion final : public QObject
{
    Q_OBJECT
public:
    static constexpr int patienceMs = 3000;

    DocumentCompletion(const EngineWait &engine, QObject *parent);

    // A load started, or answers about the page shown will not come (its renderer ended,
    // the view goes): answers asked for before are dropped.
    void forgetAnswers() { ++m_generation; }
    // Which load the page is at; an answer asked for at another one is stale.
    quint64 generation() const { return m_generation; }
    // The load succeeded: its document is read, and completes once.
    void loadSucceeded(QWebEnginePage *page);
    // Reads the page's body markup afresh. The answer never comes after the context is
    // gone or the page has been left, nor when the page has no body.
    void readBody(
        QWebEnginePage *page, QObject *context, std::function<void(const QString &)> reply);

signals:
    void completed(const std::optional<QString> &body, const QString &title);

private:
    void waitPatiently(quint64 generation);
    void complete(quint64 generation, const std::optional<QString> &body, const QString &title);

    const EngineWait &m_engine;
    quint64 m_generation = 0;
    quint64 m_completed = 0;
};
