#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "Tessarvine - About": a modeless box with the picture, the title and the credits.
class AboutBox final : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

    QLabel *Picture1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Ok = nullptr;

    void Ok_Click();
};
