#pragma once

#include "common/pageview.h"

#include <QEventLoop>
#include <QFrame>

class QLabel;
class QLineEdit;
class QVBoxLayout;

// A page's alert, confirm or prompt, or a site's request to sign in, shown over that page
// only. It holds nothing but its own page: the window, its menus, the other tabs and the
// page's close box all go on working while it waits, and it ends unanswered when its tab
// closes or goes behind. Enter accepts it and Esc cancels it.
class ScriptDialog final : public QFrame
{
    Q_OBJECT
public:
    // Leave: the page asks, as its tab or the window closes, whether to leave it.
    using Kind = PageQuestion::Kind;

    // A message longer than this is cut; a page decides how long it is.
    static constexpr qsizetype shownCharacters = 2000;

    // For a login, origin is the host asking and message its realm.
    ScriptDialog(Kind kind, const QString &origin, const QString &message,
        const QString &defaultValue, QWidget *page);

    // Shows the dialog and waits for the answer while the program runs on; true when it
    // was accepted. It takes the keyboard only when asked.
    bool exec(bool takeFocus);
    // What was typed: the prompt's answer, or the login's user name and password.
    QString answer() const;
    QString password() const;
    // Ends the wait as if cancelled.
    void abandon();
    // A login says that its connection is not encrypted.
    void warnUnencrypted();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void addMessage(QVBoxLayout *layout, Kind kind, const QString &origin, const QString &message);
    void addLogin(QVBoxLayout *layout);
    void addButtons(QVBoxLayout *layout, Kind kind);
    void place();
    void finish(bool accepted);

    QEventLoop m_loop;
    QLineEdit *m_field = nullptr;
    QLineEdit *m_password = nullptr;
    QLabel *m_warning = nullptr;
    QWidget *m_ok = nullptr;
    bool m_accepted = false;
    bool m_finished = false;
};
