#include "support/input.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace Input {

bool clickFocus(QWidget *widget, QPoint at)
{
    QWidget *window = widget->window();
    if (!window->isVisible())
        window->show();
    if (QApplication::activeWindow() != window) {
        QApplication::setActiveWindow(window);
        if (!QTest::qWaitForWindowActive(window))
            return false;
    }
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == widget || widget->isAncestorOf(focus));
}

void type(const QString &text)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY2(focus, "nothing holds the keyboard focus");
    QTest::keyClicks(focus, text);
}

void key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY2(focus, "nothing holds the keyboard focus");
    QTest::keyClick(focus, key, modifiers);
}

} // namespace Input
