#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures at the pixel sizes the window is designed for, drawn in code.
// Looking the toolbar's up in the desktop's icon theme cost a noticeable part of start-up,
// so the browser looks the same on every desktop instead.
namespace Artwork {

QIcon windowIcon();
// Toolbar button pictures by button key: "back", "forward", "stop", "zoom".
QIcon toolbarIcon(const QString &key);
QPixmap newTab(); // 12 x 15
QPixmap closeBox(int size); // 14 x 14 on the warning panel, 16 x 16 on a tab
QPixmap warningSign(); // 38 x 32
QPixmap lock(QSize size); // 19 x 21 in the status bar, 12 x 15 on a tab
QPixmap download(); // 15 x 19
QPixmap magnifier(); // 14 x 15
QPixmap aboutPicture(); // 332 x 313

} // namespace Artwork
