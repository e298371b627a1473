#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <QKeySequence>
#include <QObject>
#include <QSet>
#include <QString>
#include <vector>

class FullScreen;
class Tabs;

// The rules behind the shortcut keys that are worth testing on their own.
namespace KeyboardRules {

// The open tab after (step 1) or before (step -1) the current one in strip order, wrapping
// around and skipping the gaps of closed tabs; nothing when no tab is open. open is in
// ascending order, as the strip is.
std::optional<int> cycledTab(const std::vector<int> &open, int current, int step);

// The zoom level a step away from level, within the zoom menu's five levels.
int steppedZoom(int level, int step);

} // namespace KeyboardRules

// The browser's shortcut keys. They work wherever the focus is in the main window and act
// on the active tab only; where a field of the window's own takes a key for itself (Esc in
// the address box), the field keeps it. A page and a source view never keep them. Esc is
// the browser's only while the active page loads (it stops it); otherwise it goes to
// whatever holds the focus: the page, its dialog, the find bar, the address box. The menus
// show none of them: their captions stay as they are.
class Shortcuts final : public QObject
{
    Q_OBJECT
public:
    // What the keys act on: the window's tabs and full screen, and the window's own
    // commands, as its menus and buttons run them.
    struct Window
    {
        QWidget *window = nullptr;
        Tabs *tabs = nullptr;
        FullScreen *fullScreen = nullptr;
        std::function<void()> focusAddress, openTabToType, reopenClosedTab, toggleSource, print,
            save, showDownloads;
        // The toolbar's "back", "forward" and "stop"; the zoom menu's item from 1.
        std::function<void(const QString &key)> toolbar;
        std::function<void(int item)> zoomMenu;
    };
    explicit Shortcuts(Window window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void add(std::initializer_list<QKeySequence> keys, std::function<void()> action);
    void closeActiveTab();
    void cycleTabs(int step);
    void zoomTo(int level);
    void reload();
    void findInPage();
    void addTabKeys();
    void addPageKeys();
    float current() const;

    Window m_window;
    QSet<QKeyCombination> m_keys;
};
