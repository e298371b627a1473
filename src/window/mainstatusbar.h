#pragma once

#include <QPixmap>
#include <QStatusBar>

class QLabel;

// The window's status bar: panel 1 shows the status texts of the pages, panel 2 a picture
// and a short text (the download mark, or the lock and "Encrypted").
class MainStatusBar final : public QStatusBar
{
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget *parent = nullptr);

    void setPanel1Text(const QString &text);
    QString panel1Text() const { return m_panel1Text; }

    // name: what the picture says, for screen readers, and its tooltip.
    void setPanel2Picture(const QPixmap &picture, const QString &name = QString());
    QPixmap panel2Picture() const { return m_picture; }
    void setPanel2Text(const QString &text);
    QString panel2Text() const;

signals:
    // The picture of panel 2 was clicked.
    void pictureClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPanel1();

    QLabel *m_panel1 = nullptr;
    QLabel *m_panel2Picture = nullptr;
    QLabel *m_panel2Text = nullptr;
    QString m_panel1Text;
    QPixmap m_picture;
};
