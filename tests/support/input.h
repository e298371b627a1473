#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

// Input as the platform delivers it: the focus arrives by a click, and keys go to the
// widget that then holds the focus, never to an inner widget chosen by the test.
namespace Input {

// Makes the widget's window active and clicks the widget (at its centre unless told); true
// when the focus then lies with the widget or inside it.
[[nodiscard]] bool clickFocus(QWidget *widget, QPoint at = {});
// Types the text into the focus widget, key by key.
void type(const QString &text);
// Presses one key on the focus widget.
void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

} // namespace Input
