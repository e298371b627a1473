#include "hosted/permissions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace Permissions {

std::optional<QString> wants(QWebEnginePage::Feature feature)
{
    using F = QWebEnginePage::Feature;
    switch (feature) {
    case F::Notifications:
        return QObject::tr("show notifications");
    case F::Geolocation:
        return QObject::tr("know your location");
    case F::MediaVideoCapture:
        return QObject::tr("use your camera");
    case F::MediaAudioCapture:
        return QObject::tr("use your microphone");
    case F::MediaAudioVideoCapture:
        return QObject::tr("use your camera and microphone");
    case F::DesktopVideoCapture:
    case F::DesktopAudioVideoCapture:
        return QObject::tr("share your screen");
    default:
        return std::nullopt;
    }
}

Outcome outcome(std::optional<bool> answered, bool inFront, bool questionOpen, bool mayAsk)
{
    if (answered)
        return *answered ? Outcome::Grant : Outcome::Block;
    if (questionOpen || !mayAsk)
        return Outcome::Block;
    return inFront ? Outcome::Ask : Outcome::Wait;
}

} // namespace Permissions

namespace {

QString key(const QUrl &origin, QWebEnginePage::Feature feature)
{
    return origin.toString(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment) + u' '
        + QString::number(int(feature));
}

} // namespace

std::optional<bool> PermissionAnswers::answer(
    const QUrl &origin, QWebEnginePage::Feature feature) const
{
    const auto it = m_answers.constFind(key(origin, feature));
    return it == m_answers.constEnd() ? std::nullopt : std::optional(*it);
}

void PermissionAnswers::remember(const QUrl &origin, QWebEnginePage::Feature feature, bool allowed)
{
    m_answers.insert(key(origin, feature), allowed);
}

PagePermissions::PagePermissions(
    QWebEnginePage *page, PermissionAnswers *answers, std::function<bool()> mayAsk, QWidget *view)
    : QFrame(view)
    , m_page(page)
    , m_answers(answers)
    , m_mayAsk(std::move(mayAsk))
    , m_question(new QLabel(this))
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
    }
    hide();
    connect(page, &QWebEnginePage::featurePermissionRequested, this, &PagePermissions::requested);
    connect(page, &QWebEnginePage::featurePermissionRequestCanceled, this,
        [this](const QUrl &origin, QWebEnginePage::Feature feature) {
            if (m_open && m_open->origin == origin && m_open->feature == feature) {
                m_open.reset();
                hide();
            }
        });
}

void PagePermissions::requested(const QUrl &origin, QWebEnginePage::Feature feature)
{
    using Permissions::Outcome;
    const auto answered = m_answers->answer(origin, feature);
    // Counted only when it would be asked.
    const bool mayAsk = !answered && !m_open && m_mayAsk();
    const Outcome outcome = !Permissions::wants(feature)
        ? Outcome::Block
        : Permissions::outcome(answered, m_inFront, m_open.has_value(), mayAsk);
    if (outcome == Outcome::Grant || outcome == Outcome::Block) {
        m_page->setFeaturePermission(origin, feature,
            outcome == Outcome::Grant ? QWebEnginePage::PermissionGrantedByUser
                                      : QWebEnginePage::PermissionDeniedByUser);
        return;
    }
    m_open = Request { origin, feature };
    if (outcome == Outcome::Ask)
        present();
}

void PagePermissions::present()
{
    if (!m_open)
        return;
    const QString site = m_open->origin.host().isEmpty() ? tr("This page") : m_open->origin.host();
    m_question->setText(
        tr("%1 wants to %2").arg(site, Permissions::wants(m_open->feature).value_or(QString())));
    show();
    raise();
}

void PagePermissions::answer(bool allow)
{
    if (!m_open)
        return;
    const Request request = *std::exchange(m_open, std::nullopt);
    hide();
    m_answers->remember(request.origin, request.feature, allow);
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
    if (!m_open)
        return;
    const Request request = *std::exchange(m_open, std::nullopt);
    hide();
    m_page->setFeaturePermission(
        request.origin, request.feature, QWebEnginePage::PermissionDeniedByUser);
}
