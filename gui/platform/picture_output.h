#pragma once

// A window's picture printed or written as a file: drawn by the same painting function as the screen,
// onto a printer page, a PDF page, an SVG drawing or a PNG image, so that a vector file stays sharp at
// any size. What kind of file and how large is decided in files/picture_output.h.

#include "files/picture_output.h"
#include "platform/message.h"
#include "platform/result.h"
#include "text/language.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class QPrinter;
class QWidget;

namespace orvane::gui {

// A picture: its size in pixels and the function that draws it there, onto any painter.
struct Picture {
    QSize size;
    std::function<void(QPainter&)> draw;
};

// The picture `scale` times its size each way, as the bytes of a file of `format`; `title` names the
// document in a PDF or SVG.
QByteArray PictureBytes(const Picture& picture, files::PictureFormat format, double scale, const QString& title);

// The picture written as `path` (whole, or no file at all).
platform::Result<void> WritePicture(const Picture& picture, const std::string& path, files::PictureFormat format,
                                    double scale, const QString& title, const text::Language& language);

// The picture on the printer's page, as large as the page's printable area allows, its proportions kept.
void PaintOnPage(QPrinter& printer, const Picture& picture);

// Qt's print preview of the picture, from which its print dialog prints it.
void PrintPicture(QWidget* parent, const Picture& picture, const QString& title);

// Pictures made for the page, one a page: `pagesFor` is given the printable area in the pictures' pixels
// (96 a inch) and returns pictures no wider than it, drawn at their own size so that text keeps its size.
using PagesFor = std::function<std::vector<Picture>(QSize page)>;
void PaintPages(QPrinter& printer, const PagesFor& pagesFor);
// Qt's print preview of such pages, landscape.
void PrintPages(QWidget* parent, const PagesFor& pagesFor, const QString& title);

// The export dialog: a file name and one of the file types (PDF, SVG, PNG at 1×, 2×, 4×); nothing when
// the user cancels.
struct PictureFileChoice {
    std::string path;
    files::PictureChoice choice;
};
std::optional<PictureFileChoice> AskPictureFile(QWidget* parent, const text::Language& language);

// Asks for the file and writes the picture: the message to show (titled `title`), or nothing when the
// user cancelled.
std::optional<platform::Message> ExportPicture(QWidget* parent, const Picture& picture, const text::Language& language,
                                               const std::string& title);

}  // namespace orvane::gui
