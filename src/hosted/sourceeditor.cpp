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
    , m_editor(new QsciScintilla(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    m_editor->setFont(editorFont());
    m_editor->setUtf8(true);
    m_editor->setWrapMode(QsciScintilla::WrapNone);
    setFocusProxy(m_editor);
    m_editor->setAccessibleName(tr("Page source"));
}

void SourceEditor::setLanguage(const QString &language)
{
    m_language = language;
    if (language.compare(u"HTML", Qt::CaseInsensitive) != 0) {
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
    m_editor->setText(text);
}

QString SourceEditor::text() const
{
    return m_editor->text();
}

void SourceEditor::copyConfiguration(const SourceEditor &other)
{
    setLanguage(other.m_language);
    m_default = other.m_default;
}
