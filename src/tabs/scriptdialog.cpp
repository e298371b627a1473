#include "tabs/scriptdialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int widthPixels = 440;
constexpr int marginPixels = 12;
} // namespace

ScriptDialog::ScriptDialog(Kind kind, const QString &origin, const QString &message,
    const QString &defaultValue, QWidget *page)
    : QFrame(page)
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setAccessibleName(kind == Kind::Login ? tr("Sign in") : tr("Message from the page"));
    auto *layout = new QVBoxLayout(this);
    addMessage(layout, kind, origin, message);
    if (kind == Kind::Prompt) {
        m_field = new QLineEdit(defaultValue, this);
        m_field->setAccessibleName(tr("Answer"));
        layout->addWidget(m_field);
    }
    if (kind == Kind::Login)
        addLogin(layout);
    addButtons(layout, kind);
}

void ScriptDialog::addMessage(
    QVBoxLayout *layout, Kind kind, const QString &origin, const QString &message)
{
    // Everything here comes from the page: it is shown as plain text, never as markup.
    const QString who = origin.isEmpty() ? tr("This page") : origin;
    // The host always first; a login's realm is the site's own words, quoted as such.
    auto *from = new QLabel(tr("%1 says:").arg(who), this);
    from->setTextFormat(Qt::PlainText);
    QFont bold = from->font();
    bold.setBold(true);
    from->setFont(bold);
    layout->addWidget(from);
    QString shown = message.left(shownCharacters);
    if (message.size() > shownCharacters)
        shown += u'…';
    if (kind == Kind::Login)
        shown = u'"' + shown + u'"';
    auto *text = new QLabel(shown, this);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setMaximumHeight(240);
    text->setAccessibleName(shown);
    layout->addWidget(text);
}

void ScriptDialog::addLogin(QVBoxLayout *layout)
{
    m_warning = new QLabel(tr("This connection is not encrypted: the user name and "
                              "password will be sent as plain text."),
        this);
    m_warning->setWordWrap(true);
    m_warning->hide();
    layout->addWidget(m_warning);
    m_field = new QLineEdit(this);
    m_field->setAccessibleName(tr("User name"));
    m_field->setPlaceholderText(tr("User name"));
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setAccessibleName(tr("Password"));
    m_password->setPlaceholderText(tr("Password"));
    layout->addWidget(m_field);
    layout->addWidget(m_password);
}

void ScriptDialog::addButtons(QVBoxLayout *layout, Kind kind)
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    if (kind != Kind::Alert) {
        auto *cancel = new QPushButton(kind == Kind::Leave ? tr("Stay") : tr("Cancel"), this);
        connect(cancel, &QPushButton::clicked, this, [this] { finish(false); });
        buttons->addWidget(cancel);
    }
    auto *ok = new QPushButton(kind == Kind::Login ? tr("Sign in")
            : kind == Kind::Leave                  ? tr("Leave")
                                                   : tr("OK"),
        this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { finish(true); });
    buttons->addWidget(ok);
    m_ok = ok;
    layout->addLayout(buttons);
}

void ScriptDialog::place()
{
    QWidget *page = parentWidget();
    const int width = qMin(widthPixels, qMax(0, page->width() - 2 * marginPixels));
    setFixedWidth(width);
    adjustSize();
    move((page->width() - width) / 2, marginPixels);
}

bool ScriptDialog::exec(bool takeFocus)
{
    place();
    show();
    raise();
    if (takeFocus)
        (m_field ? static_cast<QWidget *>(m_field) : m_ok)->setFocus(Qt::OtherFocusReason);
    if (!m_finished)
        m_loop.exec();
    hide();
    return m_accepted;
}

void ScriptDialog::warnUnencrypted()
{
    if (m_warning)
        m_warning->show();
}

QString ScriptDialog::answer() const
{
    return m_field ? m_field->text() : QString();
}

QString ScriptDialog::password() const
{
    return m_password ? m_password->text() : QString();
}

void ScriptDialog::abandon()
{
    finish(false);
}

void ScriptDialog::finish(bool accepted)
{
    if (m_finished)
        return;
    m_finished = true;
    m_accepted = accepted;
    m_loop.quit();
}

bool ScriptDialog::event(QEvent *event)
{
    // Enter and Esc are the dialog's, before any shortcut of the window's.
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
    }
    return QFrame::event(event);
}

void ScriptDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        finish(false);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        finish(true);
        return;
    }
    QFrame::keyPressEvent(event);
}
