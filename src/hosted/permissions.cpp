#include "hosted/permissions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace Permissions {

std::optional<Permission> kindOf(QWebEnginePage::Feature feature)
{
    using F = QWebEnginePage::Feature;
    switch (feature) {
    case F::Notifications:
        return Permission::Notifications;
    case F::Geolocation:
        return Permission::Location;
    case F::MediaVideoCapture:
        return Permission::Camera;
    case F::MediaAudioCapture:
        return Permission::Microphone;
    case F::MediaAudioVideoCapture:
        return Permission::CameraAndMicrophone;
    default:
        return std::nullopt;
    }
}

QString wants(Permission permission)
{
    switch (permission) {
    case Permission::Notifications:
        return QObject::tr("show notifications");
    case Permission::Location:
        return QObject::tr("know your location");
    case Permission::Camera:
        return QObject::tr("use your camera");
    case Permission::Microphone:
        return QObject::tr("use your microphone");
    case Permission::CameraAndMicrophone:
        return QObject::tr("use your camera and microphone");
    }
    return QString();
}

std::optional<Site> asker(const QUrl &origin, const QUrl &topPage)
{
    const auto site = Site::of(origin);
    if (!site || site != Site::of(topPage))
        return std::nullopt;
    return site;
}

} // namespace Permissions

PagePermissions::PagePermissions(
    QWebEnginePage *page, PermissionAnswers *answers, std::function<bool()> mayAsk, QWidget *view)
    : QFrame(view)
    , m_page(page)
    , m_answers(answers)
    , m_mayAsk(std::move(mayAsk))
    , m_question(new QLabel(this))
    , m_settling(new QTimer(this))
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    // A line above the page, however tall the page area.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    setAccessibleName(tr("Question from the site"));
    // The site's name is the page's to choose: plain text.
    m_question->setTextFormat(Qt::PlainText);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_question, 1);
    for (const bool allow : { true, false }) {
        auto *button = new QPushButton(allow ? tr("Allow") : tr("Block"), this);
        connect(button, &QPushButton::clicked, this, [this, allow] { answer(allow); });
        layout->addWidget(button);
        m_buttons << button;
    }
    m_settling->setSingleShot(true);
    m_settling->setInterval(settleMs);
    connect(m_settling, &QTimer::timeout, this, [this] {
        for (QPushButton *button : std::as_const(m_buttons))
            button->setEnabled(true);
    });
    hide();
    connect(page, &QWebEnginePage::featurePermissionRequested, this, &PagePermissions::requested);
    connect(page, &QWebEnginePage::featurePermissionRequestCanceled, this,
        [this](const QUrl &origin, QWebEnginePage::Feature feature) {
            std::erase_if(m_waiting, [&](const Request &request) {
                return request.origin == origin && request.feature == feature;
            });
            if (m_open && m_open->origin == origin && m_open->feature == feature) {
                m_open.reset();
                askNext();
            }
        });
}

void PagePermissions::requested(const QUrl &origin, QWebEnginePage::Feature feature)
{
    const auto kind = Permissions::kindOf(feature);
    const auto site = Permissions::asker(origin, m_page->url());
    if (!kind || !site) {
        // Refused without asking, and not counted against the page's questions.
        m_page->setFeaturePermission(origin, feature, QWebEnginePage::PermissionDeniedByUser);
        return;
    }
    const Request request { origin, feature, *site, *kind };
    if (m_open) {
        // A refusal now would be taken for the open question's: the engine answers camera
        // and microphone requests in order.
        if (m_waiting.size() < waiting)
            m_waiting.push_back(request);
        return;
    }
    consider(request);
}

void PagePermissions::consider(const Request &request)
{
    if (const auto answered = m_answers->answer(request.site, request.kind)) {
        settle(request, *answered);
        askNext();
        return;
    }
    // Past the page's bound on dialogs and questions, it is refused: no page raises a storm.
    if (!m_mayAsk()) {
        settle(request, false);
        askNext();
        return;
    }
    m_open = request;
    present();
}

void PagePermissions::askNext()
{
    if (m_open)
        return;
    hide();
    if (!m_waiting.empty()) {
        const Request next = m_waiting.front();
        m_waiting.pop_front();
        consider(next);
    }
}

void PagePermissions::present()
{
    if (!m_open || !m_inFront)
        return;
    m_question->setText(tr("%1 wants to %2")
            .arg(m_open->site.shown(), Permissions::wants(m_open->kind)));
    for (QPushButton *button : std::as_const(m_buttons))
        button->setEnabled(false);
    m_settling->start();
    show();
    raise();
}

void PagePermissions::answer(bool allow)
{
    if (!m_open || m_settling->isActive())
        return;
    const Request request = *std::exchange(m_open, std::nullopt);
    m_answers->remember(request.site, request.kind, allow);
    settle(request, allow);
    askNext();
}

void PagePermissions::settle(const Request &request, bool allow)
{
    m_page->setFeaturePermission(request.origin, request.feature,
        allow ? QWebEnginePage::PermissionGrantedByUser : QWebEnginePage::PermissionDeniedByUser);
}

void PagePermissions::setInFront(bool inFront)
{
    m_inFront = inFront;
    if (inFront)
        present();
    else
        hide();
}

void PagePermissions::withdraw()
{
    m_open.reset();
    m_waiting.clear();
    hide();
}

void PagePermissions::refuseAll()
{
    if (m_open)
        settle(*std::exchange(m_open, std::nullopt), false);
    for (const Request &request : std::exchange(m_waiting, {}))
        settle(request, false);
    hide();
}
