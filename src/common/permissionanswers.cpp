#include "common/permissionanswers.h"

PermissionAnswers::Key PermissionAnswers::key(const Site &site, Permission permission)
{
    return { site.scheme(), site.host(), site.port(), permission };
}

std::optional<bool> PermissionAnswers::given(const Site &site, Permission permission) const
{
    const auto it = m_answers.find(key(site, permission));
    return it == m_answers.end() ? std::nullopt : std::optional(it->second);
}

void PermissionAnswers::remember(const Site &site, Permission permission, bool allowed)
{
    m_answers.insert_or_assign(key(site, permission), allowed);
}
