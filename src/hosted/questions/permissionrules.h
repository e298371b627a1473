#pragma once

#include "common/permissionanswers.h"

#include <optional>
#include <QString>
#include <QUrl>
#include <QWebEnginePage>

// What sites may ask of the user (notifications, location, camera, microphone), as pure
// rules first.
namespace Permissions {

// What a request asks for; nothing for what is refused without asking: locking the mouse,
// and sharing the screen, which this engine would grant as the first screen whole, with no
// choice of what to share.
std::optional<Permission> kindOf(QWebEnginePage::Feature feature);
// The site a request is asked in the name of: only the top page's own. A frame of another
// site (an advertisement, a widget) would otherwise ask over the page that embeds it, and
// an answer to it would hold wherever it is embedded; a sandboxed frame or a page of no
// site has nobody to name.
std::optional<Site> asker(const QUrl &origin, const QUrl &topPage);

} // namespace Permissions
