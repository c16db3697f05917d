#include "files/picture_output.h"

#include "text/text_numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace orvane::files {
namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return lower;
}

}  // namespace

platform::Result<PictureFormat> PictureFormatOf(std::string_view fileName, const text::Language& language)
{
    const std::string extension = Lower(std::filesystem::path(fileName).extension().string());
    if (extension == ".svg")
        return platform::Result<PictureFormat>(PictureFormat::Svg);
    if (extension == ".pdf")
        return platform::Result<PictureFormat>(PictureFormat::Pdf);
    if (extension == ".png")
        return platform::Result<PictureFormat>(PictureFormat::Png);
    return {platform::ErrorCode::InvalidInput,
            platform::Message::Exclamation("", language.TextWithReplacements(text::kTextUnknownPictureFormat,
                                                                             std::string(fileName)))};
}

platform::Result<int32_t> PictureWidthOf(std::string_view typed, const text::Language& language)
{
    int32_t width = 0;
    const auto [end, fault] = std::from_chars(typed.data(), typed.data() + typed.size(), width);
    if (fault == std::errc() && end == typed.data() + typed.size() && width >= kSmallestPictureWidth &&
        width <= kLargestPictureWidth)
        return platform::Result<int32_t>(width);
    return {platform::ErrorCode::InvalidInput,
            platform::Message::Exclamation(
                "", language.TextWithReplacements(text::kTextUnknownPictureSize, std::string(typed),
                                                  std::to_string(kSmallestPictureWidth),
                                                  std::to_string(kLargestPictureWidth)))};
}

double PictureScale(int32_t naturalWidth, int32_t width)
{
    return naturalWidth > 0 ? static_cast<double>(width) / naturalWidth : 1.0;
}

PictureSize ScaledSize(PictureSize natural, double scale)
{
    const auto scaled = [scale](int32_t pixels) {
        return std::max<int32_t>(1, static_cast<int32_t>(std::lround(pixels * scale)));
    };
    return {scaled(natural.width), scaled(natural.height)};
}

std::array<PictureChoice, 5> PictureChoices(const text::Language& language)
{
    std::array<PictureChoice, 5> choices{
        PictureChoice{PictureFormat::Pdf, 1, "pdf", language.Text(text::kTextPdfDocument) + " (*.pdf)"},
        PictureChoice{PictureFormat::Svg, 1, "svg", language.Text(text::kTextSvgDrawing) + " (*.svg)"},
    };
    for (size_t i = 0; i < kPngScales.size(); ++i) {
        const std::string scale = std::to_string(kPngScales.at(i));
        choices.at(i + 2) = PictureChoice{PictureFormat::Png, kPngScales.at(i), "png",
                                          language.TextWithReplacements(text::kTextPngAtScale, scale) + " (*.png)"};
    }
    return choices;
}

platform::DescribeSaveFault DescribePictureFault(const text::Language& language, const std::string& path)
{
    return [&language, path](platform::ErrorCode code, const std::string& folder, const std::string& reason) {
        if (code == platform::ErrorCode::DiskFull)
            return platform::Message::Exclamation("", language.TextWithReplacements(text::kTextPictureDiskFull, path));
        std::string why = reason;
        if (code == platform::ErrorCode::NotAFile)
            why = language.Text(text::kTextNotAFileReason);
        else if (code == platform::ErrorCode::NoNewFile)
            why = language.TextWithReplacements(text::kTextFolderRefusesFile, folder, reason);
        return platform::Message::Exclamation("", language.TextWithReplacements(text::kTextPictureNotSaved, path, why));
    };
}

platform::Result<void> SavePicture(const std::string& path, std::string_view bytes, const text::Language& language)
{
    // A picture is no personal data: it is made as the user's other files are.
    return platform::SaveFile(path, bytes, DescribePictureFault(language, path), platform::NewFileAccess::UserUmask);
}

}  // namespace orvane::files
