#include "gui/platform/picture_output.h"

#include "text/text_numbers.h"

#include <QBuffer>
#include <algorithm>
#include <QFileDialog>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStringList>
#include <QSvgGenerator>

namespace orvane::gui {
namespace {

// A picture's pixel is a pixel of a 96 dpi screen: a PDF page 400 pixels wide is 300 points wide. Every
// device is drawn on at that resolution, so that a font's point size covers as many of the picture's
// pixels on paper and in a file as on screen.
constexpr int kPictureDpi = 96;
constexpr qreal kPointsPerPixel = 72.0 / kPictureDpi;
constexpr const char* kCreator = "Orvane";

QSize Scaled(const Picture& picture, double scale)
{
    const files::PictureSize size =
        files::ScaledSize({picture.size.width(), picture.size.height()}, scale);
    return {size.width, size.height};
}

void Draw(QPainter& painter, const Picture& picture, double scale)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    picture.draw(painter);
}

}  // namespace

QByteArray PictureBytes(const Picture& picture, files::PictureFormat format, double scale, const QString& title)
{
    const QSize size = Scaled(picture, scale);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case files::PictureFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(kPictureDpi);
        svg.setTitle(title);
        svg.setDescription(QString::fromLatin1(kCreator));
        QPainter painter(&svg);
        Draw(painter, picture, scale);
        break;
    }
    case files::PictureFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QString::fromLatin1(kCreator));
        pdf.setTitle(title);
        pdf.setResolution(kPictureDpi);
        pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(size) * kPointsPerPixel, QPageSize::Point, QString(),
                                                QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&pdf);
        Draw(painter, picture, scale);
        break;
    }
    case files::PictureFormat::Png: {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            Draw(painter, picture, scale);
        }
        image.save(&buffer, "PNG");
        break;
    }
    }
    return bytes;
}

platform::Result<void> WritePicture(const Picture& picture, const std::string& path, files::PictureFormat format,
                                    double scale, const QString& title, const text::Language& language)
{
    const QByteArray bytes = PictureBytes(picture, format, scale, title);
    return files::SavePicture(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), language);
}

void PaintOnPage(QPrinter& printer, const Picture& picture)
{
    // Text sizes are points, measured on the device: at the picture's own resolution the page's text
    // stands to the drawing as on screen, and the scale below enlarges both alike.
    printer.setResolution(kPictureDpi);
    QPainter painter(&printer);
    if (!painter.isActive() || picture.size.isEmpty())
        return;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSizeF fitted = QSizeF(picture.size).scaled(page.size(), Qt::KeepAspectRatio);
    painter.translate((page.width() - fitted.width()) / 2, 0);
    Draw(painter, picture, fitted.width() / picture.size.width());
}

void PrintPicture(QWidget* parent, const Picture& picture, const QString& title)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageOrientation(picture.size.width() > picture.size.height() ? QPageLayout::Landscape
                                                                             : QPageLayout::Portrait);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&picture](QPrinter* page) { PaintOnPage(*page, picture); });
    preview.exec();
}

void PaintPages(QPrinter& printer, const PagesFor& pagesFor)
{
    printer.setResolution(kPictureDpi);
    QPainter painter(&printer);
    if (!painter.isActive())
        return;
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const std::vector<Picture> pages = pagesFor(area.size().toSize());
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        painter.save();
        // A page wider than the area (it should not be) is made to fit rather than cut.
        Draw(painter, pages[i], std::min(1.0, area.width() / std::max(1, pages[i].size.width())));
        painter.restore();
    }
}

void PrintPages(QWidget* parent, const PagesFor& pagesFor, const QString& title)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&pagesFor](QPrinter* page) { PaintPages(*page, pagesFor); });
    preview.exec();
}

std::optional<PictureFileChoice> AskPictureFile(QWidget* parent, const text::Language& language)
{
    const auto choices = files::PictureChoices(language);
    QStringList filters;
    for (const files::PictureChoice& choice : choices)
        filters << QString::fromStdString(choice.label);
    QFileDialog dialog(parent, QString::fromStdString(language.Text(text::kTextExportPicture)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(choices.front().extension));
    // The extension added to a bare name follows the file type chosen.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &filters, &choices](const QString& filter) {
        const auto index = static_cast<size_t>(std::max<qsizetype>(filters.indexOf(filter), 0));
        dialog.setDefaultSuffix(QString::fromStdString(choices.at(index).extension));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const auto index = static_cast<size_t>(std::max<qsizetype>(filters.indexOf(dialog.selectedNameFilter()), 0));
    PictureFileChoice chosen{dialog.selectedFiles().constFirst().toStdString(), choices.at(index)};
    // A name typed with another of the three extensions is written as that kind, at the chosen scale.
    if (const auto typed = files::PictureFormatOf(chosen.path, language); typed.ok() && typed.value() != chosen.choice.format) {
        chosen.choice.format = typed.value();
        chosen.choice.scale = 1;
    }
    return chosen;
}

std::optional<platform::Message> ExportPicture(QWidget* parent, const Picture& picture, const text::Language& language,
                                               const std::string& title)
{
    const std::optional<PictureFileChoice> chosen = AskPictureFile(parent, language);
    if (!chosen)
        return std::nullopt;
    const platform::Result<void> written = WritePicture(picture, chosen->path, chosen->choice.format, chosen->choice.scale,
                                                        QString::fromStdString(title), language);
    if (!written.ok()) {
        platform::Message message = written.error();
        message.title = title;
        return message;
    }
    return platform::Message::Information(title, language.Text(text::kTextPictureSaved) + text::kLineBreak + chosen->path);
}

}  // namespace orvane::gui
