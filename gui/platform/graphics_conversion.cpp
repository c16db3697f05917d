#include "gui/platform/graphics_conversion.h"

#include <QByteArray>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <utility>

namespace orvane::gui {
namespace {

int32_t WriteMessage(const std::string& text, char* message)
{
    const size_t length = std::min(text.size(), kConversionMessageSize - 1);
    std::memcpy(message, text.data(), length);
    message[length] = '\0';
    return static_cast<int32_t>(length);
}

// Removes a regular file; a folder of that name or a file that cannot be removed stays.
void RemoveFile(const std::string& path)
{
    std::error_code ignored;
    if (std::filesystem::is_regular_file(path, ignored))
        std::filesystem::remove(path, ignored);
}

}  // namespace

int32_t ConvertGraphicsFile3(const char* source, const char* destination, char* message)
{
    const QString from = QString::fromLocal8Bit(source);
    const QString to = QString::fromLocal8Bit(destination);
    QImageReader reader(from);
    const QImage image = reader.read();
    if (image.isNull())
        return WriteMessage("Cannot read " + from.toStdString() + ": " + reader.errorString().toStdString(), message);
    const QByteArray format = QFileInfo(to).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
        return WriteMessage("No image format for the extension '" + format.toStdString() + "'", message);
    QImageWriter writer(to, format);
    if (!writer.write(image))
        return WriteMessage("Cannot write " + to.toStdString() + ": " + writer.errorString().toStdString(), message);
    return WriteMessage(kConversionSucceeded, message);
}

platform::Result<void> ConvertGraphicsFile(const std::string& source, const std::string& destination,
                                           bool deleteSourceOnSuccess, bool deleteDestinationOnFailure)
{
    std::array<char, kConversionMessageSize> buffer{};
    const int32_t length = ConvertGraphicsFile3(source.c_str(), destination.c_str(), buffer.data());
    std::string message(buffer.data(),
                        static_cast<size_t>(std::clamp<int32_t>(length, 0, static_cast<int32_t>(kConversionMessageSize))));
    if (message == kConversionSucceeded) {
        if (deleteSourceOnSuccess)
            RemoveFile(source);
        return {};
    }
    if (deleteDestinationOnFailure)
        RemoveFile(destination);
    return platform::Result<void>(platform::ErrorCode::Unwritable, platform::Message::Exclamation("", std::move(message)));
}

}  // namespace orvane::gui
