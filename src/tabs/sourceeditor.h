#pragma once

#include <QWidget>

class QsciScintilla;

// One tab's source view: a read-and-scroll code editor that colours its text in the
// language it is given. The editor itself is made, and given its text, only when the view
// is first shown: most source views are never looked at, and a page's markup can be large.
class SourceEditor final : public QWidget
{
    Q_OBJECT
public:
    explicit SourceEditor(QWidget *parent = nullptr);

    // Only "HTML" colours anything; any other name shows plain text.
    void setLanguage(const QString &language);
    QString language() const { return m_language; }

    // The editor's default property: kept for its owner, with no effect of its own.
    void setDefaultProperty(bool value) { m_default = value; }
    bool defaultProperty() const { return m_default; }

    // Replaces the whole text; the editor shows it once it is on screen. What the user
    // typed into the editor is replaced too.
    void setText(const QString &text);
    QString text() const;

    // Takes over the configuration of another editor (language, default property).
    void copyConfiguration(const SourceEditor &other);

    // Looks for the text, ignoring case, from the match found last, forwards or backwards,
    // round the ends, and selects it; an empty text ends the search. FindResult follows, as
    // a page view's does.
    void Find(const QString &text, bool backward);

    // The editor widget, made on first use.
    QsciScintilla *editor();

signals:
    // The match now selected (from 1; 0 for none) and how many there are.
    void FindResult(int active, int total);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyLanguage();
    void applyText();

    QsciScintilla *m_editor = nullptr;
    QString m_language;
    bool m_default = false;
    // The text last given; not yet in the editor while m_hasPending.
    QString m_text;
    bool m_hasPending = false;
    // The search under way: its text, and the match selected last (-1 before the first).
    QString m_findText;
    int m_findIndex = -1;
};
