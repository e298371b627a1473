#pragma once

#include <functional>
#include <QObject>
#include <QPointer>

class PageView;
class QFileDialog;
class QWidget;

// Saving a page (Ctrl+S, or "Save page" in its menu) or a link's resource ("Save link"):
// a save dialog asks where first, and never holds the window (nor the engine) while it
// waits. A page is saved as a single file (MHTML), complete (with a folder of its parts), or
// as its HTML only.
class Saving final : public QObject
{
    Q_OBJECT
public:
    explicit Saving(QWidget &window);

    // link empty: the page itself.
    void save(PageView *view, const QString &link, const QString &suggestedName);

private:
    void offerFormats(QFileDialog *dialog);
    void confirmReplacing(const QString &path, std::function<void()> write);

    QWidget &m_window;
    QPointer<QFileDialog> m_dialog;
};
