#pragma once

#include <QWidget>

// The progress box of a tab header: a fill that grows from 90 twips to the box's right
// as a load progresses, with an end cap after it. Its horizontal scale is set in units of
// the load's own progress maximum.
class ProgressBox final : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressBox(QWidget *parent = nullptr);

    // The box's width in twips (the header keeps it equal to panel 1's width).
    void setWidthTwips(double twips);
    double widthTwips() const { return m_width; }

    // Inner width in units; a value of 0 or less is refused and the scale stays.
    bool setScaleWidth(double units);
    double scaleWidth() const { return m_scale; }
    // The fill's width and the end cap's left, in units; a negative width is refused.
    bool setBarWidth(double units);
    void setEndCapLeft(double units);
    double barWidth() const { return m_bar; }
    double endCapLeft() const { return m_endCap; }
    // The end cap's width in units of the current scale.
    double endCapWidth() const;
    // Units in twips of the box as it is now.
    double toTwips(double units) const;

signals:
    void mouseDown(int Button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    double m_width = 1420;
    double m_scale = 1420;
    double m_bar = 735;
    double m_endCap = 830;
};
