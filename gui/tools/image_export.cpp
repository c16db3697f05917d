#include "gui/tools/image_export.h"

#include "app/compute.h"
#include "orvane_version.h"
#include "gui/platform/graphics_conversion.h"
#include "text/strings.h"
#include "text/text_numbers.h"
#include "files/chart_image.h"

#include <QColor>
#include <QFont>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <vector>

namespace orvane::gui {
namespace {

constexpr const char* kProductTitle = "Orvane";
const QColor kTitleColour(160, 160, 160);
const QColor kCaptionColour(0, 0, 255);
constexpr int kCaptionFontSize = 10;
constexpr int kCaptionMargin = 2;  // pixels of black ground left and right of a text

}  // namespace

platform::Result<void> WriteImageFile(const QImage& image, const std::string& path, const char* format)
{
    const auto refused = [](const QString& why) {
        return platform::Result<void>(platform::ErrorCode::Unwritable, platform::Message::Exclamation("", why.toStdString()));
    };
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return refused(file.errorString());
    QImageWriter writer(&file, format);
    if (!writer.write(image)) {
        file.cancelWriting();
        return refused(writer.errorString());
    }
    if (!file.commit())
        return refused(file.errorString());
    return {};
}

void DrawChartCaption(QPainter& painter, const app::Workspace& program, int width)
{
    const app::MainModel& main = program.main;
    files::ChartImageCaption caption;
    caption.currentMode = main.currentMode;
    caption.onlyOuterPlanets = program.configure.onlyOuterPlanets;
    // With the outer ring of geocentric positions the picture is larger by a margin on every side: the
    // texts are placed for the chart alone, and each keeps its distance from its nearest corner.
    const QSize chart = ChartPixelSize(display::ChartKindOf(main.currentMode));
    const int margin = std::max(0, (width - chart.width()) / 2);
    caption.width = width - 2 * margin;
    caption.productTitle = kProductTitle;
    caption.version = kVersion;
    if (core::IsTwoDateMode(main.currentMode))
        caption.orbNote = std::string(text::Trimmed(app::AddOrbToTitle(program, "", true, false)));

    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(QFont(QStringLiteral("Arial"), kCaptionFontSize));
    // Each text on a black ground a little larger than its ink, so that where a line crosses the circle or
    // an aspect line the letters stay readable; every ground first, so that none covers a text.
    const std::vector<files::ImageTextLine> lines = files::ChartImageLines(caption, main, program.language);
    std::vector<QRect> boxes;
    for (const files::ImageTextLine& line : lines) {
        const QString text = QString::fromStdString(line.text);
        const int textWidth = painter.fontMetrics().horizontalAdvance(text) + 1;
        // A long clock text (a zone's name, a fraction of a second) moves left rather than off the picture.
        const int lineX = line.x + (line.x > chart.width() / 2 ? 2 * margin : 0);
        const int lineY = line.y + (line.y > chart.height() / 2 ? 2 * margin : 0);
        const int x = std::max(kCaptionMargin, std::min(lineX, width - kCaptionMargin - textWidth));
        const QRect box(x, lineY, textWidth, painter.fontMetrics().height());
        boxes.push_back(box);
        painter.fillRect(box.adjusted(-kCaptionMargin, 0, kCaptionMargin, 0), Qt::black);
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        painter.setPen(lines[i].kind == files::ImageTextLine::Kind::Title ? kTitleColour : kCaptionColour);
        painter.drawText(boxes[i], Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QString::fromStdString(lines[i].text));
    }
    painter.restore();
}

QImage ComposeChartImage(const app::Workspace& program, const QImage& chart, bool transitPictureShown)
{
    if (transitPictureShown)
        return chart;
    QImage image = chart.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    DrawChartCaption(painter, program, image.width());
    return image;
}

Picture ChartPicture(const app::Workspace& program, const display::ChartData& data)
{
    const QSize size = ChartPixelSize(data);
    return {size, [&program, data, size](QPainter& painter) {
                painter.fillRect(QRect(QPoint(0, 0), size), Qt::black);
                if (DrawChart(painter, data).drawn != ChartDrawn::FiltersConflict)
                    DrawChartCaption(painter, program, size.width());
            }};
}

platform::Message SaveChartImage(const app::Workspace& program, const QImage& image,
                                 const std::string& chosenFileName)
{
    const text::Language& language = program.language;
    const std::string title = language.Text(text::kTextSaveChartAs);
    const std::string pngFileName = files::PngFileName(chosenFileName);
    const std::string bitmap = files::BitmapFileName(pngFileName);
    if (!WriteImageFile(image, bitmap, "BMP").ok())
        return platform::Message::Exclamation(title, language.Text(text::kTextChartNotWritable) + text::kLineBreak + bitmap);
    if (ConvertGraphicsFile(bitmap, pngFileName, true, true).ok())
        return platform::Message::Information(title, language.Text(text::kTextChartSaved) + text::kLineBreak + pngFileName);
    return platform::Message::Information(title,
                                          language.Text(text::kTextPngConversionFailed) + text::kLineBreak + bitmap);
}

}  // namespace orvane::gui
