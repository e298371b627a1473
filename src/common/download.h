#pragma once

#include <functional>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

// One download of this run as the user sees it: its file's name, how far it got, and how it
// ended. The saver writes it; the downloads list shows it. It lasts as long as the saver.
class Download final : public QObject
{
    Q_OBJECT
public:
    enum class State { Running, Done, Failed, Cancelled };

    // cancel stops the engine's download; it is not called after the download ended.
    Download(QString name, std::function<void()> cancel, QObject *parent = nullptr);

    QString name() const { return m_name; }
    State state() const { return m_state; }
    // The saved file, once done.
    QString path() const { return m_path; }
    qint64 received() const { return m_received; }
    // -1 while unknown.
    qint64 total() const { return m_total; }
    // Bytes a second over the last few seconds; 0 until known.
    qint64 speed() const { return m_speed; }

    void progressed(qint64 received, qint64 total);
    void ended(State state, const QString &path = QString());
    void cancel();

signals:
    void changed();

private:
    QString m_name;
    std::function<void()> m_cancel;
    State m_state = State::Running;
    QString m_path;
    qint64 m_received = 0;
    qint64 m_total = -1;
    qint64 m_speed = 0;
    QElapsedTimer m_clock;
    qint64 m_sampleMs = 0;
    qint64 m_sampleBytes = 0;
};

// Where the downloads of this run still running are asked for: their one owner's answer.
using RunningDownloads = std::function<QList<Download *>()>;
