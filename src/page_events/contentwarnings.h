#pragma once

#include <optional>
#include <QString>
#include <vector>

// The keyword screen behind the warning panel. Pure rules, no widgets: the window applies
// the warnings these return, in order.
namespace ContentWarnings {

// Which text of a page is screened; each has its own keyword list and order.
enum class Source { StatusText, Title, Address };

struct Warning
{
    // The panel's title line; none leaves the line as it is.
    std::optional<QString> title;
    QString message;

    bool operator==(const Warning &) const = default;
};

// The panel's texts. Inline, so that they are ready before any constant of another file
// that is made from them.
inline const QString titleText
    = QStringLiteral(" Warning this site might be harmfull to your system.");
inline const QString adultMessage = QStringLiteral("This site might contain adult materia.");
inline const QString virusMessage = QStringLiteral("This site might contain viruses!");

// The warnings one text raises, one per matching rule, in the list's order. A keyword
// matches wherever it occurs in the text, comparing exactly (case-sensitive), also inside
// a longer word and at the very end of the text.
std::vector<Warning> screen(Source source, const QString &text);

} // namespace ContentWarnings
