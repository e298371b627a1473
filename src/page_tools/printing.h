#pragma once

#include <functional>
#include <memory>
#include <QObject>
#include <QPointer>

class PageView;
class QPrintDialog;
class QPrinter;
class QWidget;

// Printing the active page (Ctrl+P, or the page's own request): the print dialog, which
// never holds the window (nor the engine) while it waits, then the print, one at a time.
// Printing to a PDF file is one of the dialog's printers; its file is offered in the
// download folder, named after the page.
class Printing final : public QObject
{
    Q_OBJECT
public:
    Printing(QWidget &window, std::function<void(const QString &)> status);
    ~Printing() override;

    void openDialogFor(PageView *view);

private:
    void printOn(PageView *view);
    void printDone(bool ok);

    QWidget &m_window;
    std::function<void(const QString &)> m_status;
    std::unique_ptr<QPrinter> m_printer;
    QPointer<QPrintDialog> m_dialog;
    // The view printing, as a plain object: its print ends as it is being destroyed, when it
    // is no page view any more.
    QPointer<QObject> m_printing;
};
