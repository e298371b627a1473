#include "page_tools/printing.h"

#include "common/downloadnames.h"
#include "common/pageview.h"

#include <QPrintDialog>
#include <QPrinter>

Printing::Printing(QWidget &window, std::function<void(const QString &)> status)
    : QObject(&window)
    , m_window(window)
    , m_status(std::move(status))
{ }

Printing::~Printing() = default;

void Printing::openDialogFor(PageView *view)
{
    if (!view || view->LocationURL().isEmpty())
        return;
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    if (m_printing) {
        m_status(tr("A page is being printed"));
        return;
    }
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setDocName(view->LocationName());
    m_printer->setOutputFileName(DownloadNames::offeredPath(
        DownloadNames::forPage(view->LocationName(), view->LocationURL(), QStringLiteral("pdf"))));
    m_dialog = new QPrintDialog(m_printer.get(), &m_window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialog, &QDialog::accepted, this, [this, target = QPointer(view)] {
        if (target)
            printOn(target);
        else
            m_printer.reset();
    });
    connect(m_dialog, &QDialog::rejected, this, [this] { m_printer.reset(); });
    // Not exec(): a dialog's own event loop would keep the engine from every tab.
    m_dialog->open();
}

void Printing::printOn(PageView *view)
{
    if (!view->pageActions().Print(m_printer.get())) {
        m_printer.reset();
        m_status(tr("This page cannot be printed now"));
        return;
    }
    m_status(tr("Printing..."));
    m_printing = view;
    connect(view, &PageView::PrintFinished, this, &Printing::printDone, Qt::SingleShotConnection);
    // A tab closed while printing takes its print with it.
    connect(view, &QObject::destroyed, this, [this] { printDone(false); });
}

void Printing::printDone(bool ok)
{
    if (!m_printer)
        return;
    if (m_printing)
        m_printing->disconnect(this);
    m_printing.clear();
    const QString file = m_printer->outputFormat() == QPrinter::PdfFormat
        ? m_printer->outputFileName()
        : QString();
    m_printer.reset();
    if (!ok)
        m_status(tr("Printing failed"));
    else
        m_status(file.isEmpty() ? tr("Printed") : tr("Printed to %1").arg(file));
}
