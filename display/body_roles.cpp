#include "display/body_roles.h"

#include "core/modes.h"

namespace orvane::display {

PairRoles EventRoles(core::Mode mode)
{
    switch (mode) {
    case core::Mode::PersonalTransits1st: return {BodyRole::Transiting, BodyRole::Natal1};
    case core::Mode::PersonalTransits2nd: return {BodyRole::Transiting, BodyRole::Natal2};
    case core::Mode::Synastry: return {BodyRole::Natal1, BodyRole::Natal2};
    default: return {};
    }
}

PairRoles GridRoles(core::Mode mode)
{
    const PairRoles roles = EventRoles(mode);
    return {roles.second, roles.first};
}

const char* RoleKey(BodyRole role)
{
    switch (role) {
    case BodyRole::Transiting: return "transiting";
    case BodyRole::Natal1: return "natal1";
    case BodyRole::Natal2: return "natal2";
    default: return "";
    }
}

std::string NameWithRole(const std::string& name, BodyRole role, BodyRole otherRole, const std::string& natal)
{
    const bool isNatal = role == BodyRole::Natal1 || role == BodyRole::Natal2;
    if (!isNatal)
        return name;
    if (otherRole == BodyRole::Transiting) {
        std::string text = natal;
        if (const size_t at = text.find("[r1]"); at != std::string::npos)
            text.replace(at, 4, name);
        return text;
    }
    return name + (role == BodyRole::Natal1 ? " (1)" : " (2)");
}

}  // namespace orvane::display
