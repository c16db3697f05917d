#include "text/weblink.h"

#include "text/strings.h"
#include "text/text_numbers.h"

namespace orvane::text {

std::string FileExtension(std::string_view name, bool lowerCase)
{
    const size_t slash = name.rfind('\\');
    const std::string_view last = slash == std::string_view::npos ? name : name.substr(slash + 1);
    const size_t dot = last.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    const std::string_view extension = last.substr(dot + 1);
    return lowerCase ? LowerCase(extension) : std::string(extension);
}

platform::Message ShellFailureMessage(const Language& language, int32_t result, const std::string& target)
{
    std::string text = language.GetTextWithReplacements(kTextShellError, std::to_string(result));
    const std::string paragraph = std::string(kLineBreak) + kLineBreak;
    switch (result) {
    case kShellNoAssociation:
        // The extension is put in as it is: a "^" or "[r" inside it must stay as typed.
        text += paragraph + Replaced(language.GetText(kTextShellNoAssociation), "[r1]", FileExtension(target, true));
        break;
    case kShellOutOfMemory: text += paragraph + language.GetText(kTextShellOutOfMemory); break;
    case kShellFileNotFound: text += paragraph + language.GetText(kTextShellTryAgain); break;
    default: break;
    }
    return platform::Message::Exclamation(language.GetText(kTextShellErrorTitle), text);
}

}  // namespace orvane::text
