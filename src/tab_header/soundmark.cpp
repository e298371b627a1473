#include "tab_header/soundmark.h"

#include <QStyle>

SoundMark::SoundMark(QWidget *header)
    : QToolButton(header)
{
    setAutoRaise(true);
    setFixedSize(16, 16);
    setIconSize(QSize(14, 14));
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void SoundMark::show(bool audible, bool muted)
{
    setVisible(audible || muted);
    setIcon(style()->standardIcon(muted ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
    const QString name = muted ? tr("Unmute tab") : tr("Mute tab");
    setAccessibleName(name);
    setToolTip(name);
    raise();
}
