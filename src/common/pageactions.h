#pragma once

#include <optional>
#include <QString>

class PageView;
class QPrinter;

// What the user does to a page beyond going somewhere: zoom it, find in it, end its full
// screen, show its developer tools, print it, save it and mute it. Each is done as the page
// allows, and its outcome comes back by the page view's signals (FindResult, PrintFinished,
// AudioChange) or its status text.
class PageActions
{
public:
    // Zoom levels 0 to 4: 25, 50, 100, 125 and 150 percent. A level outside that range
    // names no zoom and is refused.
    static constexpr int zoomLevels = 5;
    virtual void setZoomLevel(int level) = 0;
    // The zoom level last set; 2 (100 %) where a view starts.
    virtual int zoomLevel() const = 0;
    // Looks for the text in the page, from the match found last, forwards or backwards; an
    // empty text ends the search and its highlight. FindResult follows.
    virtual void Find(const QString &text, bool backward) = 0;
    // Ends the page's full screen, as the page's own control for it would.
    virtual void ExitFullScreen() = 0;
    // The engine's developer tools for the page, drawn in the view given (one made by the
    // same factory), with the element under the page's last menu selected or not; none
    // stops them.
    virtual void inspectIn(PageView *tools, bool element) = 0;
    // Prints the page shown; PrintFinished follows, unless nothing is shown or another
    // print of the view runs (false). The printer must last until then.
    virtual bool Print(QPrinter *printer) = 0;
    // Saves the page shown, or the resource a link names, under a path the user chose;
    // the status text tells how it ended.
    enum class SaveFormat { SingleFile, Complete, HtmlOnly };
    virtual void SavePage(const QString &path, SaveFormat format) = 0;
    virtual void SaveLink(const QString &link, const QString &path) = 0;
    // Whether the page plays sound now (or stopped a moment ago), and whether it is muted;
    // AudioChange follows a change of either. A muted page stays so when it rests and wakes.
    virtual bool isAudible() const = 0;
    virtual bool isMuted() const = 0;
    virtual void setMuted(bool muted) = 0;

protected:
    ~PageActions() = default;
};

// The factor of a zoom level; none for a level outside the range.
std::optional<double> zoomFactor(int level);
