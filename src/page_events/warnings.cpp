// Showing content warnings on the shared warning panel.
#include "main_window/form1.h"
#include "main_window/warningpanel.h"

#include <QAction>

void Form1::screenForWarnings(ContentWarnings::Source source, const QString &text)
{
    if (!ws->isChecked())
        return;
    for (const ContentWarnings::Warning &warning : ContentWarnings::screen(source, text))
        showWarning(warning.title, warning.message);
}

void Form1::showWarning(const std::optional<QString> &title, const QString &message)
{
    infopanel->show();
    if (title)
        infopanel->setTitle(*title);
    infopanel->setMessage(message);
    Form_Resize();
}
