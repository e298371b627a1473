#include "common/permissionanswers.h"

std::optional<bool> PermissionAnswers::given(const Site &site, Permission permission) const
{
    const auto it = m_answers.find({ site, permission });
    return it == m_answers.end() ? std::nullopt : std::optional(it->second);
}

void PermissionAnswers::remember(const Site &site, Permission permission, bool allowed)
{
    m_answers.insert_or_assign({ site, permission }, allowed);
}
