#pragma once

#include <QFrame>

class PageView;
class QLabel;
class QLineEdit;
class QToolButton;

// Find in page: a small bar over the top right of one tab's page, with a text field, the
// previous and next match, and "n of m". It belongs to its tab's page view and goes away
// with it. Enter and Shift+Enter step through the matches; Esc closes it.
class FindBar final : public QFrame
{
    Q_OBJECT
public:
    explicit FindBar(PageView *view);

    // The bar of a view, made when first asked for.
    static FindBar *of(PageView *view);

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
    void search(bool backward);
    void place();

    PageView *m_view;
};
