#include "page_tools/downloadslist.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QUrl>

QString downloadDetail(Download::State state, qint64 received, qint64 total, qint64 speed)
{
    const QLocale locale;
    const auto size = [&locale](qint64 bytes) { return locale.formattedDataSize(bytes); };
    switch (state) {
    case Download::State::Done:
        return QObject::tr("Done, %1").arg(size(received));
    case Download::State::Failed:
        return QObject::tr("Failed");
    case Download::State::Cancelled:
        return QObject::tr("Cancelled");
    case Download::State::Running:
        break;
    }
    QString done
        = total > 0 ? QObject::tr("%1 of %2").arg(size(received), size(total)) : size(received);
    if (speed > 0)
        done += QObject::tr(", %1/s").arg(size(speed));
    return done;
}

namespace {

// One download's row; it follows the download's changes for as long as both exist.
class DownloadRow final : public QWidget
{
public:
    DownloadRow(Download *download, QWidget *parent)
        : QWidget(parent)
        , m_download(download)
        , m_name(new QLabel(download->name(), this))
        , m_bar(new QProgressBar(this))
        , m_detail(new QLabel(this))
        , m_cancel(new QPushButton(tr("Cancel"), this))
        , m_open(new QPushButton(tr("Open"), this))
        , m_folder(new QPushButton(tr("Show in folder"), this))
    {
        // The name came from a server: text, never markup.
        m_name->setTextFormat(Qt::PlainText);
        m_detail->setTextFormat(Qt::PlainText);
        QFont bold = m_name->font();
        bold.setBold(true);
        m_name->setFont(bold);
        m_bar->setAccessibleName(download->name());
        m_bar->setTextVisible(false);
        m_bar->setMaximumHeight(10);
        lay();
        connect(m_cancel, &QPushButton::clicked, download, &Download::cancel);
        connect(m_open, &QPushButton::clicked, this, [this] {
            if (m_download)
                QDesktopServices::openUrl(QUrl::fromLocalFile(m_download->path()));
        });
        connect(m_folder, &QPushButton::clicked, this, [this] {
            if (m_download)
                QDesktopServices::openUrl(
                    QUrl::fromLocalFile(QFileInfo(m_download->path()).absolutePath()));
        });
        connect(download, &Download::changed, this, &DownloadRow::update);
        update();
    }

private:
    // The name, the bar, and a line of what is known with the buttons.
    void lay()
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(8, 6, 8, 6);
        layout->addWidget(m_name);
        layout->addWidget(m_bar);
        auto *line = new QHBoxLayout;
        line->addWidget(m_detail, 1);
        line->addWidget(m_cancel);
        line->addWidget(m_open);
        line->addWidget(m_folder);
        layout->addLayout(line);
    }

    void update()
    {
        if (!m_download)
            return;
        const Download::State state = m_download->state();
        const bool running = state == Download::State::Running;
        const bool done = state == Download::State::Done;
        if (running && m_download->total() > 0) {
            m_bar->setRange(0, 1000);
            m_bar->setValue(int(m_download->received() * 1000 / m_download->total()));
        } else if (running) {
            m_bar->setRange(0, 0); // size unknown: busy
        } else {
            m_bar->setRange(0, 1);
            m_bar->setValue(done ? 1 : 0);
        }
        const QString detail = downloadDetail(
            state, m_download->received(), m_download->total(), m_download->speed());
        m_detail->setText(detail);
        m_detail->setAccessibleName(detail);
        m_cancel->setVisible(running);
        m_open->setVisible(done);
        m_folder->setVisible(done);
    }

    QPointer<Download> m_download;
    QLabel *m_name;
    QProgressBar *m_bar;
    QLabel *m_detail;
    QPushButton *m_cancel;
    QPushButton *m_open;
    QPushButton *m_folder;
};

} // namespace

DownloadsList::DownloadsList(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
    setWindowTitle(tr("Downloads"));
    setAccessibleName(tr("Downloads"));
    resize(460, 320);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto *content = new QWidget(scroll);
    m_rows = new QVBoxLayout(content);
    m_rows->setAlignment(Qt::AlignTop);
    m_empty = new QLabel(tr("No downloads in this run"), content);
    m_rows->addWidget(m_empty);
    scroll->setWidget(content);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

void DownloadsList::add(Download *download)
{
    m_empty->hide();
    m_rows->insertWidget(0, new DownloadRow(download, m_rows->parentWidget()));
}

void DownloadsList::present()
{
    show();
    raise();
    activateWindow();
}
