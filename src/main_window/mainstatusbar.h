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

    void setPanel2Picture(const QPixmap &picture);
    QPixmap panel2Picture() const { return m_picture; }
    void setPanel2Text(const QString &text);
    QString panel2Text() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPanel1();

    QLabel *m_panel1 = nullptr;
    QLabel *m_panel2Picture = nullptr;
    QLabel *m_panel2Text = nullptr;
    QString m_panel1Text;
    QPixmap m_picture;
};
