#pragma once

#include "common/pageview.h"

#include <QObject>

class Leaving;
class PageGuards;
class QuestionWait;

// A page's script dialogs (its alert, confirm and prompt) and its window.print(), which
// puts the print dialog over the page as one of them: granted while the tab is in front and
// within the page's bound on dialogs, so that a hostile page cannot hold the window hostage.
class ScriptDialogs final : public QObject
{
    Q_OBJECT
public:
    ScriptDialogs(PageGuards &guards, QuestionWait &wait, Leaving &leaving, QObject *parent);

    // The page's alert, confirm or prompt: true when accepted, with the prompt's text in
    // value.
    bool dialog(PageQuestion::Kind kind, const QString &origin, const QString &message,
        const QString &defaultValue, QString *value);
    bool mayPrint();

signals:
    void StatusTextChange(const QString &Text);

private:
    // Counts one more dialog of the page; says so when the first is refused.
    bool allowDialog();

    PageGuards &m_guards;
    QuestionWait &m_wait;
    Leaving &m_leaving;
};
