#pragma once

#include "common/pageactions.h"

class EnginePage;
class PageOutput;
class QuestionWait;
class WebEnginePageView;

// Zoom, find, full screen, developer tools, printing and saving for one page view on the
// engine. Work that needs the engine waits while a dialog of the page does; what needs a
// page shown does nothing before the view has made its engine page.
class EngineActions final : public PageActions
{
public:
    EngineActions(WebEnginePageView &view, QuestionWait &wait);

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

private:
    WebEnginePageView &m_view;
    QuestionWait &m_wait;
    EnginePage *m_page = nullptr;
    PageOutput *m_output = nullptr;
    int m_zoomLevel = 2;
};
