#include "common/pageview.h"

#include <QBoxLayout>

PageView::~PageView() = default;

void PageView::addBarAbove(QWidget *bar)
{
    auto *box = qobject_cast<QBoxLayout *>(layout());
    if (!box) {
        box = new QVBoxLayout(this);
        box->setContentsMargins(0, 0, 0, 0);
        box->addStretch();
    }
    box->insertWidget(0, bar);
    m_bars.append(bar);
}

int PageView::barsHeight() const
{
    int height = 0;
    for (const QWidget *bar : m_bars) {
        if (bar && !bar->isHidden())
            height = qMax(height, bar->geometry().bottom() + 1);
    }
    return height;
}
