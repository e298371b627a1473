#include "hosted/sourceeditor.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#include <QVBoxLayout>

namespace {

QFont editorFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::TypeWriter);
    // Without Courier New installed, the system's own fixed font keeps columns aligned.
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPixelSize(13);
    }
    return font;
}

} // namespace

SourceEditor::SourceEditor(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setAccessibleName(tr("Page source"));
}

QsciScintilla *SourceEditor::editor()
{
    if (m_editor)
        return m_editor;
    m_editor = new QsciScintilla(this);
    m_editor->setFont(editorFont());
    m_editor->setUtf8(true);
    m_editor->setWrapMode(QsciScintilla::WrapNone);
    m_editor->setAccessibleName(tr("Page source"));
    layout()->addWidget(m_editor);
    setFocusProxy(m_editor);
    applyLanguage();
    return m_editor;
}

void SourceEditor::setLanguage(const QString &language)
{
    m_language = language;
    if (m_editor)
        applyLanguage();
}

void SourceEditor::applyLanguage()
{
    if (m_language.compare(u"HTML", Qt::CaseInsensitive) != 0) {
        m_editor->setLexer(nullptr);
        return;
    }
    auto *lexer = new QsciLexerHTML(m_editor);
    const QFont font = editorFont();
    lexer->setDefaultFont(font);
    lexer->setFont(font);
    m_editor->setLexer(lexer);
}

void SourceEditor::setText(const QString &text)
{
    // The same markup again (a page read twice, unchanged) costs nothing, unless the user
    // has edited what the editor shows.
    const bool edited = m_editor && m_editor->isModified();
    if (!edited && text == m_text && (m_editor || text.isEmpty()))
        return;
    m_text = text;
    if (m_editor && isVisible())
        applyText();
    else
        m_hasPending = true;
}

QString SourceEditor::text() const
{
    if (m_editor && !m_hasPending && m_editor->isModified())
        return m_editor->text();
    return m_text;
}

void SourceEditor::applyText()
{
    editor()->setText(m_text);
    m_editor->setModified(false);
    m_hasPending = false;
}

void SourceEditor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_hasPending || !m_editor)
        applyText();
}

void SourceEditor::copyConfiguration(const SourceEditor &other)
{
    setLanguage(other.m_language);
    m_default = other.m_default;
}
