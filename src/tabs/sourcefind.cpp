// Find in a tab's source view: the matches counted in the text, one of them selected.
#include "tabs/sourceeditor.h"

#include <Qsci/qsciscintilla.h>

namespace {

// Where each match starts, in characters; matches do not overlap.
QList<qsizetype> matchesOf(const QString &text, const QString &needle)
{
    QList<qsizetype> starts;
    for (qsizetype at = text.indexOf(needle, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(needle, at + needle.size(), Qt::CaseInsensitive))
        starts << at;
    return starts;
}

} // namespace

void SourceEditor::Find(const QString &text, bool backward)
{
    QsciScintilla *scintilla = editor();
    if (text.isEmpty()) {
        m_findText.clear();
        m_findIndex = -1;
        scintilla->selectAll(false);
        emit FindResult(0, 0);
        return;
    }
    const QString shown = scintilla->text();
    const QList<qsizetype> starts = matchesOf(shown, text);
    if (starts.isEmpty()) {
        m_findIndex = -1;
        m_findText = text;
        emit FindResult(0, 0);
        return;
    }
    const int count = int(starts.size());
    if (text != m_findText || m_findIndex < 0 || m_findIndex >= count)
        m_findIndex = backward ? count - 1 : 0;
    else
        m_findIndex = (m_findIndex + (backward ? count - 1 : 1)) % count;
    m_findText = text;
    // The editor counts in bytes of UTF-8.
    const qsizetype start = starts.at(m_findIndex);
    const long from = long(shown.left(start).toUtf8().size());
    const long to = from + long(shown.mid(start, text.size()).toUtf8().size());
    scintilla->SendScintilla(QsciScintillaBase::SCI_SETSEL, from, to);
    emit FindResult(m_findIndex + 1, count);
}
