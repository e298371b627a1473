#pragma once

#include <functional>
#include <QFrame>
#include <QPointer>

class PageView;
class SourceEditor;
class QLabel;
class QLineEdit;
class QToolButton;

// Find in page: a small bar over the top right of one tab's page (or of its source, when
// that is in front), with a text field, the previous and next match, and "n of m". Its tab
// makes it over the view it searches, and it goes away with that view. Enter and Shift+Enter step
// through the matches; Esc closes it.
class FindBar final : public QFrame
{
    Q_OBJECT
public:
    // The bar over a page view, below the bar that takes its line above the page when that
    // is shown; or over a source view.
    FindBar(PageView *view, const QWidget *barAbove);
    explicit FindBar(SourceEditor *editor);

    // Shows the bar with its text selected and the keyboard in its field.
    void open();
    // Hides it and takes the highlight off the page.
    void close();

    QLineEdit *field = nullptr;
    QToolButton *previous = nullptr;
    QToolButton *next = nullptr;
    QLabel *count = nullptr;
    QToolButton *closer = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Looks for a text, forwards or backwards; an empty text ends the search.
    using Search = std::function<void(const QString &text, bool backward)>;

    FindBar(QWidget *host, Search finder);
    void showResult(int active, int total);
    void search(bool backward);
    void place();

    QWidget *m_host;
    QPointer<const QWidget> m_barAbove;
    Search m_search;
};
