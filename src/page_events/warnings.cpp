// Showing content warnings on the shared warning panel.
#include "page_events/pageevents.h"
#include "window/form1.h"

void PageEvents::screenForWarnings(ContentWarnings::Source source, const QString &text)
{
    if (!form.warningSigns())
        return;
    for (const ContentWarnings::Warning &warning : ContentWarnings::screen(source, text))
        showWarning(warning.title, warning.message);
}

void PageEvents::showWarning(const std::optional<QString> &title, const QString &message)
{
    form.showInfopanel(title, message);
    form.Form_Resize();
}
