#pragma once

#include "common/site.h"

#include <map>
#include <optional>
#include <utility>

// What a site may ask the user for.
enum class Permission { Notifications, Location, Camera, Microphone, CameraAndMicrophone };

// The user's answers for this run, by site and by what it asked; kept in memory only, and
// never shared between sites: a frame of another site is never asked.
class PermissionAnswers
{
public:
    std::optional<bool> given(const Site &site, Permission permission) const;
    void remember(const Site &site, Permission permission, bool allowed);

private:
    std::map<std::pair<Site, Permission>, bool> m_answers;
};
