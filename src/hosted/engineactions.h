#pragma once

#include "common/pageactions.h"

#include <functional>

class EnginePage;
class PageOutput;
class QuestionWait;
class QWebEnginePage;

// Zoom, find, full screen, developer tools, printing, saving and muting for one page view on
// the engine. Work that needs the engine waits while a dialog of the page does; what needs a
// page shown does nothing before the view has made its engine page.
class EngineActions final : public PageActions
{
public:
    // What the page view does for them: makes its engine page when first needed, tells a
    // find's outcome and a change of its sound, and points its developer tools at the view
    // given.
    struct View
    {
        std::function<QWebEnginePage *()> page;
        std::function<void(int active, int total)> found;
        std::function<void()> soundChanged;
        std::function<void(PageView *tools, bool element)> inspect;
    };
    EngineActions(View view, QuestionWait &wait);

    // The view made its engine page, and what prints and saves it.
    void engineMade(EnginePage *page, PageOutput *output);

    void setZoomLevel(int level) override;
    int zoomLevel() const override { return m_zoomLevel; }
    void Find(const QString &text, bool backward) override;
    void ExitFullScreen() override;
    void inspectIn(PageView *tools, bool element) override;
    bool Print(QPrinter *printer) override;
    void SavePage(const QString &path, SaveFormat format) override;
    void SaveLink(const QString &link, const QString &path) override;
    bool isAudible() const override;
    bool isMuted() const override { return m_muted; }
    void setMuted(bool muted) override;

private:
    View m_view;
    QuestionWait &m_wait;
    EnginePage *m_page = nullptr;
    PageOutput *m_output = nullptr;
    int m_zoomLevel = 2;
    bool m_muted = false;
};
