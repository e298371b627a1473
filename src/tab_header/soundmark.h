#pragma once

#include <QToolButton>

// A speaker on a tab's header while its page plays sound, struck through while the tab is
// muted; hidden otherwise, so that the header looks as it always did. A click on it asks
// for the other state.
class SoundMark final : public QToolButton
{
    Q_OBJECT
public:
    explicit SoundMark(QWidget *header);
    void show(bool audible, bool muted);
};
