#pragma once

#include "hosted/pageview.h"

#include <optional>

class Form1;

// The one owner of a tab's life: it makes a tab's three elements (header, page view and
// source view) under one index, and removes them together, so that the three arrays never
// disagree about which tabs exist. Removing a tab that holds the keyboard focus hands the
// focus to the active tab first; while the elements go, focus moving by itself activates
// nothing, so a close ends with exactly the tab that closing chose active.
class TabLife
{
public:
    TabLife(Form1 &form, PageViewFactory factory);

    // The hidden templates at index 0, which every new element copies.
    void loadTemplates();

    // Makes the three elements of a new tab at the highest index plus one: the header
    // placed flush right of the last one, given its index and shown, the page view shown
    // (before or after the source view is made, as the caller's steps order it) and the
    // source view hidden. Nothing when no further tab can be made; then no element is
    // left behind.
    std::optional<int> open(bool viewBeforeSource);

    // Removes the three elements of a tab; each goes once the event being handled is done.
    void close(int index);

    // False while a tab's elements are being removed: focus that moves because of it is
    // not the user's choosing a tab.
    bool focusActivates() const { return !m_closing; }

private:
    void wire(PageView *view, int index);
    void settleFocus(int index);

    Form1 &form;
    PageViewFactory m_factory;
    bool m_closing = false;
};
