#pragma once

#include <QWidget>

class QsciScintilla;

// One tab's source view: a read-and-scroll code editor that colours its text in the
// language it is given.
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

    void setText(const QString &text);
    QString text() const;

    // Takes over the configuration of another editor (language, default property).
    void copyConfiguration(const SourceEditor &other);

    QsciScintilla *editor() const { return m_editor; }

private:
    QsciScintilla *m_editor = nullptr;
    QString m_language;
    bool m_default = false;
};
