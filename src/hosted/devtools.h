#pragma once

#include <QPointer>
#include <QWidget>

class QWebEnginePage;
class QWebEngineView;

// The engine's developer tools for one page, in a window of their own that belongs to the
// page's view: they go when the tab goes.
class DevTools final : public QObject
{
    Q_OBJECT
public:
    // owner: the page's view, whose window the tools' window belongs to.
    DevTools(QWebEnginePage *page, QWidget *owner);
    ~DevTools() override;

    // Shown for the page, or closed when they are shown.
    void toggle();
    // Shown, with the element under the page's last context menu selected.
    void inspect();
    bool shown() const { return m_window && m_window->isVisible(); }

private:
    void show();

    QPointer<QWebEnginePage> m_page;
    QWidget *m_owner;
    QPointer<QWidget> m_window;
    QWebEngineView *m_view = nullptr;
};
