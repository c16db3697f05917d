// Built as C++17 (CMakeLists.txt): the rule reader's header names hh_mm_ss in a way that C++20's own
// std::chrono::hh_mm_ss makes ambiguous.
#include "platform/posix_rule.h"

#include <date/ptz.h>

#include <cctype>

namespace orvane::platform {
namespace {

// Whether a summer-time name follows the standard name and offset ("EST5EDT", not "<+0545>-5:45").
bool HasSummerName(const std::string& text)
{
    size_t at = 0;
    if (!text.empty() && text[0] == '<')
        at = text.find('>') == std::string::npos ? text.size() : text.find('>') + 1;
    else
        while (at < text.size() && std::isalpha(static_cast<unsigned char>(text[at])))
            ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    while (at < text.size() && (std::isdigit(static_cast<unsigned char>(text[at])) || text[at] == ':'))
        ++at;
    return at < text.size();
}

std::optional<Posix::time_zone> ParseRule(const std::string& text)
{
    try {
        if (text.find(',') == std::string::npos && HasSummerName(text))
            return Posix::time_zone(text + ",M3.2.0,M11.1.0");
        return Posix::time_zone(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<RuleOffsets> RuleOffsetsAt(const std::string& text, int64_t unixSeconds)
{
    const std::optional<Posix::time_zone> rule = ParseRule(text);
    if (!rule)
        return std::nullopt;
    const date::sys_info info = rule->get_info(date::sys_seconds(std::chrono::seconds(unixSeconds)));
    // A rule of one offset leaves the summer-time part unset: there is none.
    const int32_t save =
        HasSummerName(text) ? static_cast<int32_t>(std::chrono::duration_cast<std::chrono::seconds>(info.save).count()) : 0;
    return RuleOffsets{static_cast<int32_t>(info.offset.count()), save};
}

}  // namespace orvane::platform
