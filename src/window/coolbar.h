#pragma once

#include <QWidget>

class QComboBox;
class QToolBar;
class TabStrip;

// The rebar at the top of the window: the toolbar and the address box on the first row,
// the tab strip on the second. Bands keep their designed places and stretch to the right.
class CoolBar final : public QWidget
{
    Q_OBJECT
public:
    explicit CoolBar(QWidget *parent = nullptr);

    QToolBar *toolbar() const { return m_toolbar; }
    QComboBox *address() const { return m_address; }
    // The tab strip: holds the new-tab button and the tab headers at twips positions.
    TabStrip *strip() const { return m_strip; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolBar *m_toolbar = nullptr;
    QComboBox *m_address = nullptr;
    TabStrip *m_strip = nullptr;
};
