#include "tabs/questiondialogs.h"

#include "tabs/scriptdialog.h"

QuestionDialogs::QuestionDialogs(PageView *page)
    : QObject(page)
    , m_page(page)
{
    page->hooks().setQuestions(this);
}

PageAnswer QuestionDialogs::ask(const PageQuestion &question)
{
    // Leaving is the browser's own question, in its own words.
    const QString message = question.kind == PageQuestion::Kind::Leave
        ? tr("Leave this page? Changes you made may not be saved.")
        : question.message;
    ScriptDialog dialog(question.kind, question.site, message, question.defaultValue, m_page);
    if (question.unencrypted)
        dialog.warnUnencrypted();
    const bool accepted = dialog.exec(question.takeFocus);
    return { accepted, dialog.answer(), dialog.password() };
}

void QuestionDialogs::dismiss()
{
    for (ScriptDialog *dialog : m_page->findChildren<ScriptDialog *>(Qt::FindDirectChildrenOnly))
        dialog->abandon();
}
