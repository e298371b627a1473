// Switching a tab between its page and the page's source.
#include "hosted/sourceeditor.h"
#include "main_window/form1.h"
#include "tab_header/flik.h"

#include <QAction>
#include <QPointer>

void flik::vs_Click()
{
    PageView *view = form.viewAt(myindex);
    SourceEditor *editor = form.editorAt(myindex);
    if (vs->isChecked()) {
        if (view)
            view->raise();
        vs->setChecked(false);
        form.sc->setChecked(false);
        return;
    }
    if (view && editor) {
        // The completed page's markup is at hand at once; the fresh read follows (the engine
        // answers later, never about a page it has left) and replaces it if the page has
        // changed since.
        if (const auto completed = view->bodyInnerHtml())
            editor->setText(*completed);
        view->requestBodyInnerHtml(editor, [editor = QPointer(editor)](const QString &markup) {
            if (editor)
                editor->setText(markup);
        });
    }
    if (editor) {
        editor->show();
        editor->raise();
    }
    vs->setChecked(true);
    form.sc->setChecked(true);
}
