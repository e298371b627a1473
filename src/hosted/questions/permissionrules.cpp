#include "hosted/questions/permissionrules.h"

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

std::optional<Site> asker(const QUrl &origin, const QUrl &topPage)
{
    const auto site = Site::of(origin);
    if (!site || site != Site::of(topPage))
        return std::nullopt;
    return site;
}

} // namespace Permissions
