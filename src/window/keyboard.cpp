#include "window/keyboard.h"

#include "page_tools/fullscreen.h"
#include "tabs/tab.h"
#include "tabs/tabclosing.h"
#include "tabs/tabs.h"

#include <algorithm>
#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>

namespace KeyboardRules {

std::optional<int> cycledTab(const std::vector<int> &open, int current, int step)
{
    if (open.empty())
        return std::nullopt;
    if (step > 0) {
        const auto after = std::upper_bound(open.begin(), open.end(), current);
        return after == open.end() ? open.front() : *after;
    }
    const auto at = std::lower_bound(open.begin(), open.end(), current);
    return at == open.begin() ? open.back() : *std::prev(at);
}

int steppedZoom(int level, int step)
{
    return std::clamp(level + step, 0, PageActions::zoomLevels - 1);
}

} // namespace KeyboardRules

Shortcuts::Shortcuts(Window window)
    : QObject(window.window)
    , m_window(std::move(window))
{
    addTabKeys();
    addPageKeys();
    // Before any widget of the window is asked whether it keeps a key for itself.
    qApp->installEventFilter(this);
}

float Shortcuts::current() const
{
    return m_window.tabs->current();
}

void Shortcuts::addTabKeys()
{
    using K = QKeySequence;
    const Window &w = m_window;
    add({ K(Qt::CTRL | Qt::Key_L), K(Qt::ALT | Qt::Key_D), K(Qt::Key_F6) }, w.focusAddress);
    add({ K(Qt::CTRL | Qt::Key_T) }, w.openTabToType);
    add({ K(Qt::CTRL | Qt::SHIFT | Qt::Key_T) }, w.reopenClosedTab);
    add({ K(Qt::CTRL | Qt::Key_W), K(Qt::CTRL | Qt::Key_F4) }, [this] { closeActiveTab(); });
    add({ K(Qt::CTRL | Qt::Key_Tab), K(Qt::CTRL | Qt::Key_PageDown) }, [this] { cycleTabs(1); });
    // Shift+Tab arrives as Backtab.
    add({ K(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
            K(Qt::CTRL | Qt::Key_PageUp) },
        [this] { cycleTabs(-1); });
    add({ K(Qt::CTRL | Qt::SHIFT | Qt::Key_Y) }, w.showDownloads);
    add({ K(Qt::Key_F11) }, [this] { m_window.fullScreen->toggleWindow(); });
}

void Shortcuts::addPageKeys()
{
    using K = QKeySequence;
    const Window &w = m_window;
    add({ K(Qt::ALT | Qt::Key_Left) }, [this] { m_window.toolbar(QStringLiteral("back")); });
    add({ K(Qt::ALT | Qt::Key_Right) }, [this] { m_window.toolbar(QStringLiteral("forward")); });
    add({ K(Qt::Key_F5), K(Qt::CTRL | Qt::Key_R) }, [this] { reload(); });
    add({ K(Qt::Key_Escape) }, [this] {
        if (!m_window.fullScreen->leavePage())
            m_window.toolbar(QStringLiteral("stop"));
    });
    const auto step = [this](int by) {
        if (PageView *view = m_window.tabs->frontPage())
            zoomTo(KeyboardRules::steppedZoom(view->pageActions().zoomLevel(), by));
    };
    add({ K(Qt::CTRL | Qt::Key_Plus), K(Qt::CTRL | Qt::Key_Equal) }, [step] { step(1); });
    add({ K(Qt::CTRL | Qt::Key_Minus) }, [step] { step(-1); });
    add({ K(Qt::CTRL | Qt::Key_0) }, [this] { zoomTo(2); });
    add({ K(Qt::CTRL | Qt::Key_U) }, w.toggleSource);
    add({ K(Qt::CTRL | Qt::Key_M) }, [this] {
        if (PageView *view = m_window.tabs->frontPage()) {
            PageActions &page = view->pageActions();
            page.setMuted(!page.isMuted());
        }
    });
    add({ K(Qt::CTRL | Qt::Key_F) }, [this] { findInPage(); });
    add({ K(Qt::CTRL | Qt::Key_P) }, w.print);
    add({ K(Qt::CTRL | Qt::Key_S) }, w.save);
    add({ K(Qt::Key_F12), K(Qt::CTRL | Qt::SHIFT | Qt::Key_I) }, [this] {
        if (Tab *tab = m_window.tabs->front())
            tab->toggleDevTools();
    });
}

bool Shortcuts::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    // Only the widget with the keyboard focus, and those that hold it, are asked here. The
    // event also reaches objects inside the engine's widgets, some of them as they go away:
    // those are only compared, never called.
    const QWidget *widget = QApplication::focusWidget();
    const QWidget *holder = widget;
    while (holder && holder != watched)
        holder = holder->parentWidget();
    if (!holder || widget->window() != m_window.window)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        // While the active page loads, Esc stops it, unless a dialog or a field of the
        // window's claims it first; otherwise it reaches whatever has the focus.
        // A page shown full screen leaves it with Esc, whatever holds the focus.
        const PageView *active = m_window.tabs->frontPage();
        if (m_window.fullScreen->pageShown() || (active && active->isLoading()))
            return false;
        event->accept();
        return true;
    }
    // A page or a source view would keep some of the browser's keys (the source editor's
    // own commands: Ctrl+L cuts a line, Ctrl+U lowers the case); they are the browser's.
    // "+" is typed with Shift on many layouts: Shift tells the browser's keys apart only for
    // letters.
    const QKeyCombination typed = key->keyCombination();
    const bool letter = typed.key() >= Qt::Key_A && typed.key() <= Qt::Key_Z;
    const QKeyCombination unshifted(typed.keyboardModifiers() & ~Qt::ShiftModifier, typed.key());
    if (!m_keys.contains(typed) && (letter || !m_keys.contains(unshifted)))
        return false;
    for (const QObject *owner = widget; owner; owner = owner->parent()) {
        if (qobject_cast<const PageView *>(owner) || qobject_cast<const SourceEditor *>(owner))
            return true;
    }
    return false;
}

void Shortcuts::add(std::initializer_list<QKeySequence> keys, std::function<void()> action)
{
    for (const QKeySequence &key : keys) {
        m_keys.insert(key[0]);
        auto *shortcut = new QShortcut(key, m_window.window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
        // Two keys of one action can match one key press (Ctrl+Shift+Tab and Backtab, "+" and
        // "=" on one key): Qt then calls it ambiguous, and gives it to one of them.
        connect(shortcut, &QShortcut::activatedAmbiguously, this, action);
    }
}

void Shortcuts::closeActiveTab()
{
    // As the active tab's close box.
    if (const auto index = toTabIndex(current()))
        m_window.tabs->closing().close(*index);
}

void Shortcuts::cycleTabs(int step)
{
    const auto index = toTabIndex(current());
    std::vector<int> open;
    for (const Tab *tab : m_window.tabs->all())
        open.push_back(tab->index());
    if (const auto next = KeyboardRules::cycledTab(open, index.value_or(0), step))
        m_window.tabs->activate(*next);
}

void Shortcuts::zoomTo(int level)
{
    // As the zoom menu's item at that level.
    m_window.zoomMenu(level + 1);
}

void Shortcuts::reload()
{
    if (PageView *view = m_window.tabs->frontPage())
        view->Reload();
}

void Shortcuts::findInPage()
{
    // The view in front is the one searched: the page, or its source.
    if (Tab *tab = m_window.tabs->front())
        tab->openFindBar();
}
