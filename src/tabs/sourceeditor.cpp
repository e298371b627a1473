#include "tabs/sourceeditor.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#include <QVBoxLayout>

namespace {

// "Courier New", 13 pixels high.
constexpr double designPixels = 13;

// The editor's colouring styles take a font's point size: a font sized in pixels would reach
// them as a size of -1 and be drawn a couple of pixels high. So the intended pixels are
// turned into points at the widget's own resolution.
// Measured rather than asked: fonts often do not declare their spacing.
bool fixedWidth(const QFont &font)
{
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(u'i') == metrics.horizontalAdvance(u'W');
}

QFont editorFont(const QWidget &widget)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setWeight(QFont::Normal);
    // Without Courier New installed, the system's own fixed font keeps columns aligned.
    if (!fixedWidth(font))
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(designPixels * 72.0 / widget.logicalDpiY());
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
    m_editor->setFont(editorFont(*m_editor));
    m_editor->setUtf8(true);
    m_editor->setWrapMode(QsciScintilla::WrapNone);
    m_editor->setAccessibleName(tr("Page source"));
    layout()->addWidget(m_editor);
    // A click on the view, or Tab, gives the keyboard to the editor.
    setFocusPolicy(Qt::StrongFocus);
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
    const QFont font = editorFont(*m_editor);
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
