#pragma once

#include <QPointer>
#include <QWidget>

class QToolButton;

// The tab strip: the new-tab button at its left end, and the tab headers at their twips
// positions right of it. When the headers reach past the strip's right end, the headers
// (and only they) scroll sideways: small arrows appear at the right end, the mouse wheel
// scrolls, and activating a tab brings its whole header into view. Scrolling never changes
// a header's position or width; it only changes which part of the row is seen.
class TabStrip final : public QWidget
{
    Q_OBJECT
public:
    // Where the first header starts, in twips: just right of the new-tab button.
    static constexpr double headersLeft = 405;

    explicit TabStrip(QWidget *parent = nullptr);

    // The parent of the tab headers. Its coordinates are the strip's own, in twips as the
    // headers keep them, moved left by the scrolled distance.
    QWidget *headers() const { return m_headers; }

    // Scrolls the least distance that shows the whole of a header (or as much of it as the
    // strip has room for, its left end first).
    void ensureVisible(QWidget *header);
    // How far the headers are scrolled, in pixels; 0 shows the row from its start.
    int offset() const { return m_offset; }
    void scrollBy(int pixels);
    // Whether the headers reach past the strip's right end.
    bool overflows() const;
    // A header was added at the right end of the row: the row only grows.
    void headerAdded(QWidget *header);
    // Headers were moved, resized or removed: the row's extent is measured again once the
    // event being handled is done.
    void headersChanged();

    QToolButton *scrollLeft = nullptr;
    QToolButton *scrollRight = nullptr;

    // The most addresses one drop opens.
    static constexpr qsizetype droppedAtMost = 20;

signals:
    // Links or files were dropped on the strip, to be opened in new tabs, in their order.
    void addressesDropped(const QStringList &addresses);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // The right end of the rightmost shown header, in the headers' pixels.
    int extent();
    void scheduleRelayout();
    void relayout();
    void setOffset(int pixels);

    QWidget *m_viewport = nullptr;
    QWidget *m_headers = nullptr;
    int m_offset = 0;
    int m_extent = 0;
    bool m_extentKnown = true;
    bool m_relayoutPending = false;
    // The header last brought into view, kept there when the room for it changes.
    QPointer<QWidget> m_shown;
};
