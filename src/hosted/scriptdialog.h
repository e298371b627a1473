#pragma once

#include <QEventLoop>
#include <QFrame>

class QLineEdit;

// A page's alert, confirm or prompt, shown over that page only. It holds nothing but its
// own page: the window, its menus, the other tabs and the page's close box all go on
// working while it waits, and it ends unanswered when its tab closes.
class ScriptDialog final : public QFrame
{
    Q_OBJECT
public:
    enum class Kind { Alert, Confirm, Prompt };

    // A message longer than this is cut; a page decides how long it is.
    static constexpr qsizetype shownCharacters = 2000;

    ScriptDialog(Kind kind, const QString &origin, const QString &message,
        const QString &defaultValue, QWidget *page);

    // Shows the dialog and waits for the answer while the program runs on; true when it
    // was accepted, with the prompt's text in value. It takes the keyboard only when asked.
    bool exec(bool takeFocus, QString *value = nullptr);
    // Ends the wait as if cancelled.
    void abandon();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void place();
    void finish(bool accepted);

    QEventLoop m_loop;
    QLineEdit *m_field = nullptr;
    QWidget *m_ok = nullptr;
    bool m_accepted = false;
    bool m_finished = false;
};
