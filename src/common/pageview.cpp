#include "common/pageview.h"

#include <array>
#include <QBoxLayout>

PageView::~PageView() = default;

std::optional<double> PageView::zoomFactorForLevel(int level)
{
    static constexpr std::array<double, zoomLevels> factors { 0.25, 0.5, 1.0, 1.25, 1.5 };
    if (level < 0 || level >= zoomLevels)
        return std::nullopt;
    return factors[static_cast<std::size_t>(level)];
}

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
