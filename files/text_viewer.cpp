#include "files/text_viewer.h"

#include "platform/input_file.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <utility>

namespace orvane::files {
namespace {

// The first `count` characters of a UTF-8 text, never splitting a character.
std::string FirstCharacters(const std::string& text, size_t count)
{
    size_t seen = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        const bool startsCharacter = (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
        if (startsCharacter && seen++ == count)
            return text.substr(0, at);
    }
    return text;
}

}  // namespace

ViewerNotices NoticesOf(const text::Language& language)
{
    const std::string br = text::kLineBreak;
    return {language.Text(text::kTextTooLargeNotice1) + br + language.Text(text::kTextTooLargeNotice2) + br +
                language.Text(text::kTextTooLargeNotice3) + br + br,
            language.Text(text::kTextNotEntirelyShown) + br};
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    // Opened without waiting, like every file read whole: a FIFO or a device is no text to show.
    platform::Result<std::string> read = platform::ReadWholeFile(
        path, kViewerMaxFileBytes, [](platform::FileFault, const std::string&) { return platform::Message{}; });
    if (!read)
        return std::nullopt;
    return std::move(read).value();
}

std::string ViewerText(const std::string& fileText, const ViewerNotices& notices)
{
    if (text::CharacterCount(fileText) < kViewerMaxCharacters)
        return fileText;
    const size_t noticeCharacters = text::CharacterCount(notices.head) + text::CharacterCount(notices.tail);
    const size_t kept = kViewerMaxCharacters > noticeCharacters ? kViewerMaxCharacters - noticeCharacters : 0;
    return notices.head + FirstCharacters(fileText, kept) + text::kLineBreak + text::kLineBreak + notices.tail;
}

}  // namespace orvane::files
