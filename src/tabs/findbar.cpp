#include "tabs/findbar.h"

#include "common/artwork.h"
#include "common/pageview.h"
#include "tabs/sourceeditor.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <utility>

namespace {

constexpr int marginPixels = 8;

QToolButton *makeButton(const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(name);
    button->setToolTip(name);
    return button;
}

} // namespace

FindBar::FindBar(QWidget *host, Search finder)
    : QFrame(host)
    , field(new QLineEdit(this))
    , previous(makeButton(tr("Previous match"), this))
    , next(makeButton(tr("Next match"), this))
    , count(new QLabel(this))
    , closer(makeButton(tr("Close find bar"), this))
    , m_host(host)
    , m_search(std::move(finder))
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setAccessibleName(tr("Find in page"));
    field->setAccessibleName(tr("Find"));
    field->setPlaceholderText(tr("Find in page"));
    field->installEventFilter(this);
    previous->setArrowType(Qt::UpArrow);
    next->setArrowType(Qt::DownArrow);
    closer->setIcon(QIcon(Artwork::closeBox(14)));
    count->setTextFormat(Qt::PlainText);
    count->setMinimumWidth(count->fontMetrics().horizontalAdvance(QStringLiteral("000 of 000")));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(field);
    layout->addWidget(count);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(closer);

    connect(field, &QLineEdit::textEdited, this, [this] { search(false); });
    connect(previous, &QToolButton::clicked, this, [this] { search(true); });
    connect(next, &QToolButton::clicked, this, [this] { search(false); });
    connect(closer, &QToolButton::clicked, this, &FindBar::close);
    host->installEventFilter(this);
    hide();
}

FindBar::FindBar(PageView *view, const QWidget *barAbove)
    : FindBar(view,
        [view](const QString &text, bool backward) { view->pageActions().Find(text, backward); })
{
    m_barAbove = barAbove;
    connect(view, &PageView::FindResult, this, &FindBar::showResult);
}

FindBar::FindBar(SourceEditor *editor)
    : FindBar(
        editor, [editor](const QString &text, bool backward) { editor->Find(text, backward); })
{
    connect(editor, &SourceEditor::FindResult, this, &FindBar::showResult);
}

void FindBar::showResult(int active, int total)
{
    const QString text = tr("%1 of %2").arg(active).arg(total);
    count->setText(text);
    count->setAccessibleName(text);
}

void FindBar::open()
{
    place();
    show();
    raise();
    field->setFocus(Qt::ShortcutFocusReason);
    field->selectAll();
    if (!field->text().isEmpty())
        search(false);
}

void FindBar::close()
{
    hide();
    m_search(QString(), false);
    count->clear();
    m_host->setFocus(Qt::OtherFocusReason);
}

void FindBar::search(bool backward)
{
    if (field->text().isEmpty()) {
        m_search(QString(), false);
        count->clear();
        return;
    }
    m_search(field->text(), backward);
}

void FindBar::place()
{
    // Over the page's own area, below the tab's bars that take a line above it (a site's
    // question), and over the engine's view, which may be made after this bar.
    adjustSize();
    const int width = qMin(sizeHint().width(), qMax(0, m_host->width() - 2 * marginPixels));
    const bool below = m_barAbove && !m_barAbove->isHidden();
    const int top = marginPixels + (below ? m_barAbove->geometry().bottom() + 1 : 0);
    setGeometry(m_host->width() - width - marginPixels, top, width, sizeHint().height());
    raise();
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_host) {
        const bool moved = event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded
            || event->type() == QEvent::LayoutRequest;
        if (moved && isVisible())
            place();
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Esc is the bar's own here: it closes the bar rather than stopping the page.
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
            event->accept();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        search(key->modifiers() & Qt::ShiftModifier);
        return true;
    default:
        return false;
    }
}
