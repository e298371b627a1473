#pragma once

#include <QWidget>

// The face of a tab header: a one-panel status bar whose panel 1 shows the caption, sizes
// itself to it (never below 1440 twips) and is drawn inset while the tab is selected.
class HeaderFace final : public QWidget
{
    Q_OBJECT
public:
    // Panel 1 bevel styles.
    static constexpr int bevelNone = 0;
    static constexpr int bevelInset = 1;
    static constexpr double minimumPanelWidth = 1440;

    explicit HeaderFace(QWidget *parent = nullptr);

    void setPanelText(const QString &text);
    QString panelText() const { return m_text; }
    // Panel 1's width in twips, following its text.
    double panelWidth() const { return m_panelWidth; }

    void setBevel(int bevel);
    int bevel() const { return m_bevel; }

signals:
    // A mouse button was pressed on the face: 1 left, 2 right, 4 middle.
    void mouseDown(int Button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_text;
    double m_panelWidth = minimumPanelWidth;
    int m_bevel = bevelNone;
};

// The mouse button codes of the press handlers: 1 left, 2 right, 4 middle, 0 other.
int buttonCode(Qt::MouseButton button);
