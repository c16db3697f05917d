#include "text/weblink.h"

#include "text/strings.h"
#include "text/text_numbers.h"

namespace orvane::text {

std::string ManualPath(std::string_view dataFolder)
{
    constexpr std::string_view kInstalledData = "share/orvane/";
    constexpr std::string_view kPage = "manual/index.html";
    if (dataFolder.ends_with(kInstalledData)) {
        const std::string_view share = dataFolder.substr(0, dataFolder.size() - std::string_view("orvane/").size());
        return std::string(share) + "doc/orvane/" + std::string(kPage);
    }
    return std::string(dataFolder) + "doc/" + std::string(kPage);
}

platform::Message ManualFailureMessage(const Language& language, ManualFailure failure, const std::string& path)
{
    const int16_t number = failure == ManualFailure::Missing ? kTextManualMissing : kTextManualNoProgram;
    // The path is put in as it is: a "^" or "[r" inside it must stay as the file system spells it.
    return platform::Message::Exclamation(language.Text(kTextManualLink),
                                          Replaced(language.Text(number), "[r1]", path));
}

}  // namespace orvane::text
