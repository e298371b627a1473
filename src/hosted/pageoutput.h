#pragma once

#include "common/pageview.h"

#include <functional>
#include <QObject>
#include <QPoint>
#include <QUrl>

class DownloadSaver;
class QMenu;
class QWebEngineView;

// Printing and saving one engine view's page: a print on a printer, the page or a link's
// resource saved where the user chose, and the page's own menu, whose "Save page" and
// "Save link" ask where before anything is written.
class PageOutput final : public QObject
{
    Q_OBJECT
public:
    // inspect: the page's menu's "Inspect", the developer tools on what was clicked.
    PageOutput(QWebEngineView *view, DownloadSaver *downloads, std::function<void()> inspect);

    // What the page's menu ends with besides: the view's own items.
    void setMenuAdditions(std::function<void(QMenu *menu)> add) { m_addToMenu = std::move(add); }

    bool print(QPrinter *printer);
    void savePage(const QString &path, PageActions::SaveFormat format);
    void saveLink(const QString &link, const QString &path);

signals:
    void printFinished(bool ok);
    void saveRequested(const QString &link, const QString &suggestedName);
    void statusText(const QString &text);
    // The user chose to open a link in a new tab from the menu.
    void linkOpened(const QUrl &link);

private:
    void showMenu(QPoint position);
    void saved(const QString &path);

    QWebEngineView *m_view;
    DownloadSaver *m_downloads;
    std::function<void()> m_inspect;
    std::function<void(QMenu *menu)> m_addToMenu;
    bool m_printing = false;
};
