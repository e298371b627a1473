#pragma once

#include <optional>
#include <QFrame>

class QLabel;
class QToolButton;

// The yellow bar above the pages: the warning sign, a title line, a message and a close
// box. Shared by the content warnings, the pop-up notice and the navigation-error notice.
class WarningPanel final : public QFrame
{
    Q_OBJECT
public:
    explicit WarningPanel(QWidget *parent = nullptr);

    // The panel's height in twips.
    static constexpr double designHeight = 495;

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *message = nullptr;
    QToolButton *closer = nullptr;

    // Shown with a message, and a new title line when one is given.
    void tell(const std::optional<QString> &title, const QString &message);
    void setTitle(const QString &text);
    void setMessage(const QString &text);
    QString title() const;
    QString messageText() const;

    // The close box's left edge inside the panel, in twips.
    double closerLeft() const { return m_closerLeft; }
    void setCloserLeft(double twips);
    static double closerWidth();

signals:
    void closeClicked();

private:
    void buildTexts();
    double m_closerLeft = 11160;
};
