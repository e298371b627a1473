#include "page_tools/saving.h"

#include "common/downloadnames.h"
#include "common/pageview.h"

#include <algorithm>
#include <array>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

struct Format
{
    const char *filter;
    const char *suffix;
    PageActions::SaveFormat format;
};

constexpr std::array formats {
    Format { QT_TRANSLATE_NOOP("Saving", "Web page, single file (*.mhtml)"), "mhtml",
        PageActions::SaveFormat::SingleFile },
    Format { QT_TRANSLATE_NOOP("Saving", "Web page, complete (*.html *.htm)"), "html",
        PageActions::SaveFormat::Complete },
    Format { QT_TRANSLATE_NOOP("Saving", "Web page, HTML only (*.html *.htm)"), "html",
        PageActions::SaveFormat::HtmlOnly },
};

QStringList filterNames()
{
    QStringList names;
    for (const Format &format : formats)
        names << QCoreApplication::translate("Saving", format.filter);
    return names;
}

} // namespace

Saving::Saving(QWidget &window)
    : QObject(&window)
    , m_window(window)
{ }

// A page is saved as one of the formats, each with its own suffix.
void Saving::offerFormats(QFileDialog *dialog)
{
    const QStringList filters = filterNames();
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(QString::fromLatin1(formats[0].suffix));
    connect(dialog, &QFileDialog::filterSelected, dialog, [dialog, filters](const QString &filter) {
        const auto at = filters.indexOf(filter);
        if (at >= 0)
            dialog->setDefaultSuffix(QString::fromLatin1(formats[at].suffix));
    });
}

void Saving::save(PageView *view, const QString &link, const QString &suggestedName)
{
    if (!view || view->LocationURL().isEmpty())
        return;
    // One at a time: a second dialog would only hide the first.
    if (m_dialog)
        m_dialog->close();
    const bool page = link.isEmpty();
    m_dialog = new QFileDialog(&m_window, page ? tr("Save page") : tr("Save link"),
        DownloadNames::offeredPath(suggestedName));
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->setAcceptMode(QFileDialog::AcceptSave);
    // The dialog's own question would wait in a loop of its own; it is asked below instead.
    m_dialog->setOption(QFileDialog::DontConfirmOverwrite);
    if (page)
        offerFormats(m_dialog);
    connect(m_dialog, &QFileDialog::fileSelected, this,
        [this, target = QPointer(view), link, page](const QString &path) {
            if (!target || path.isEmpty())
                return;
            const auto at = page ? filterNames().indexOf(m_dialog->selectedNameFilter()) : -1;
            const auto format = formats[std::max<qsizetype>(at, 0)].format;
            const auto write = [target, link, page, path, format] {
                if (!target)
                    return;
                if (page)
                    target->pageActions().SavePage(path, format);
                else
                    target->pageActions().SaveLink(link, path);
            };
            if (QFileInfo::exists(path))
                confirmReplacing(path, write);
            else
                write();
        });
    // Not exec(): a dialog's own event loop would keep the engine from every tab.
    m_dialog->open();
}

void Saving::confirmReplacing(const QString &path, std::function<void()> write)
{
    auto *question = new QMessageBox(QMessageBox::Question, tr("Save"),
        tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
        QMessageBox::Yes | QMessageBox::No, &m_window);
    question->setTextFormat(Qt::PlainText);
    question->setDefaultButton(QMessageBox::No);
    question->setAttribute(Qt::WA_DeleteOnClose);
    connect(question, &QMessageBox::finished, this, [write = std::move(write)](int answer) {
        if (answer == QMessageBox::Yes)
            write();
    });
    question->open();
}
