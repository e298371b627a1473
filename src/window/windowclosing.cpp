#include "window/windowclosing.h"

#include "tabs/tabclosing.h"
#include "tabs/tabs.h"

#include <memory>
#include <optional>
#include <QMessageBox>
#include <QWidget>

WindowClosing::WindowClosing(QWidget &window, Tabs &tabs, RunningDownloads running)
    : QObject(&window)
    , m_window(window)
    , m_tabs(tabs)
    , m_running(std::move(running))
{ }

bool WindowClosing::mayClose()
{
    return downloadsMayEnd() && pagesMayBeLeft();
}

bool WindowClosing::downloadsMayEnd()
{
    const QList<Download *> running = m_running();
    if (running.isEmpty() || m_quitting)
        return true;
    auto *question = new QMessageBox(QMessageBox::Question, tr("Downloads"),
        running.size() == 1
            ? tr("A download is still running. Cancel it and quit?")
            : tr("%1 downloads are still running. Cancel them and quit?").arg(running.size()),
        QMessageBox::Yes | QMessageBox::No, &m_window);
    question->setDefaultButton(QMessageBox::No);
    question->setAttribute(Qt::WA_DeleteOnClose);
    connect(question, &QMessageBox::finished, this, [this](int answer) {
        if (answer != QMessageBox::Yes)
            return;
        for (Download *download : m_running())
            download->cancel();
        m_quitting = true;
        m_window.close();
    });
    question->open();
    return false;
}

bool WindowClosing::pagesMayBeLeft()
{
    if (m_pagesLeft)
        return true;
    if (m_askingPages)
        return false;
    // Each page that wants to be asked is, in turn; when one stays, so does the window.
    // Pages that have nothing to ask agree at once, within this call.
    const auto now = std::make_shared<std::optional<bool>>();
    const auto inCall = std::make_shared<bool>(true);
    m_askingPages = true;
    m_tabs.closing().askToLeaveAll([this, now, inCall](bool leave) {
        m_askingPages = false;
        if (*inCall) {
            *now = leave;
            return;
        }
        if (!leave)
            return;
        m_pagesLeft = true;
        QMetaObject::invokeMethod(&m_window, &QWidget::close, Qt::QueuedConnection);
    });
    // Answers that come later reach the call above as not within it.
    *inCall = false;
    m_askingPages = !now->has_value();
    return now->value_or(false);
}
