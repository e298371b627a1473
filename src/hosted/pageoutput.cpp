#include "hosted/pageoutput.h"

#include "common/downloadnames.h"
#include "common/pagerules.h"
#include "hosted/downloads/downloadsaver.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QWebEngineContextMenuRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

QWebEngineDownloadRequest::SavePageFormat engineFormat(PageActions::SaveFormat format)
{
    switch (format) {
    case PageActions::SaveFormat::Complete:
        return QWebEngineDownloadRequest::CompleteHtmlSaveFormat;
    case PageActions::SaveFormat::HtmlOnly:
        return QWebEngineDownloadRequest::SingleHtmlSaveFormat;
    case PageActions::SaveFormat::SingleFile:
        break;
    }
    return QWebEngineDownloadRequest::MimeHtmlSaveFormat;
}

// Puts an entry of the user's in place of one of the engine's, under the same caption.
void replaceEntry(QMenu *menu, QAction *engines, std::function<void()> action)
{
    if (!engines || !menu->actions().contains(engines))
        return;
    QAction *own = new QAction(engines->text(), menu);
    QObject::connect(own, &QAction::triggered, menu, std::move(action));
    menu->insertAction(engines, own);
    menu->removeAction(engines);
}

} // namespace

PageOutput::PageOutput(
    QWebEngineView *view, DownloadSaver *downloads, std::function<void()> inspect)
    : QObject(view)
    , m_view(view)
    , m_downloads(downloads)
    , m_inspect(std::move(inspect))
{
    connect(view, &QWebEngineView::printFinished, this, [this](bool ok) {
        m_printing = false;
        emit printFinished(ok);
    });
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, &PageOutput::showMenu);
}

bool PageOutput::print(QPrinter *printer)
{
    if (m_printing || m_view->url().isEmpty())
        return false;
    m_printing = true;
    m_view->print(printer);
    return true;
}

void PageOutput::savePage(const QString &path, PageActions::SaveFormat format)
{
    if (m_view->url().isEmpty() || !m_downloads)
        return;
    const QString writePath = m_downloads->expectPage(m_view->url(), path,
        format == PageActions::SaveFormat::Complete, [self = QPointer(this)](const QString &saved) {
            if (self)
                self->saved(saved);
        });
    if (writePath.isEmpty())
        saved(QString());
    else
        m_view->page()->save(writePath, engineFormat(format));
}

void PageOutput::saveLink(const QString &link, const QString &path)
{
    const QUrl url(link);
    if (!url.isValid() || !m_downloads)
        return;
    if (!PageRules::mayReadLocal(url)) {
        saved(QString());
        return;
    }
    m_downloads->expect(url, path, [self = QPointer(this)](const QString &saved) {
        if (self)
            self->saved(saved);
    });
    m_view->page()->download(url, QFileInfo(path).fileName());
}

void PageOutput::saved(const QString &path)
{
    emit statusText(path.isEmpty() ? tr("Saving failed") : tr("Saved %1").arg(path));
}

void PageOutput::showMenu(QPoint position)
{
    QMenu *menu = m_view->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QWebEnginePage *page = m_view->page();
    const QString name
        = DownloadNames::forPage(page->title(), page->url().toString(), QStringLiteral("mhtml"));
    replaceEntry(menu, page->action(QWebEnginePage::SavePage),
        [this, name] { emit saveRequested(QString(), name); });
    if (const QWebEngineContextMenuRequest *request = m_view->lastContextMenuRequest()) {
        const QUrl link = request->linkUrl();
        replaceEntry(menu, page->action(QWebEnginePage::DownloadLinkToDisk),
            [this, link] { emit saveRequested(link.toString(), link.fileName()); });
        if (link.isValid()) {
            // The user's own act, opened behind as a middle click does, never as a pop-up.
            menu->removeAction(page->action(QWebEnginePage::OpenLinkInNewTab));
            auto *open = new QAction(tr("Open link in new tab"), menu);
            connect(open, &QAction::triggered, page, [this, page, link] {
                emit linkOpened(link);
                page->triggerAction(QWebEnginePage::OpenLinkInNewBackgroundTab);
            });
            menu->insertAction(menu->actions().value(0), open);
        }
    }
    // The developer tools on what was clicked, in their own window.
    menu->removeAction(page->action(QWebEnginePage::InspectElement));
    menu->addSeparator();
    menu->addAction(tr("Inspect"), this, [this] { m_inspect(); });
    if (m_addToMenu)
        m_addToMenu(menu);
    menu->popup(m_view->mapToGlobal(position));
}
