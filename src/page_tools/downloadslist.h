#pragma once

#include "common/download.h"

#include <QWidget>

class QLabel;
class QVBoxLayout;

// The text under a download's name: bytes done, total and speed while it runs; its size
// once done; or how it ended.
QString downloadDetail(Download::State state, qint64 received, qint64 total, qint64 speed);

// The downloads of this run, newest first, in a window of their own: each row has the file's
// name, a progress bar and its detail; Cancel while it runs; Open and Show in folder once
// done. It never holds the main window.
class DownloadsList final : public QWidget
{
    Q_OBJECT
public:
    explicit DownloadsList(QWidget *owner);

    void add(Download *download);
    // Shown, raised and given the keyboard.
    void present();

private:
    QVBoxLayout *m_rows = nullptr;
    QLabel *m_empty = nullptr;
};
