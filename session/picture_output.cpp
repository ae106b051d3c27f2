#include "session/picture_output.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "base/file_io.h"
#include "platform/qt_canvas.h"
#include "render/console.h"
#include "session/design_document.h"

namespace tabulorix {

namespace {

std::unique_ptr<QtCanvas> MakeCanvas(MGPictureFormat format, const std::string& path, const TextSize& size,
                                     std::string& error) {
    switch (format) {
        case MGPictureFormat::Svg:
            return QtCanvas::ForSvgFile(path, size.width, size.height, &error);
        case MGPictureFormat::Pdf:
            return QtCanvas::ForPdfFile(path, size.width, size.height, &error);
        case MGPictureFormat::Png:
            break;
    }
    return QtCanvas::ForImage(size.width, size.height);
}

std::optional<std::string> PngBytes(const QtCanvas& canvas) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (canvas.Image() == nullptr || !canvas.Image()->save(&buffer, "PNG")) return std::nullopt;
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool Finish(MGPictureFormat format, const std::string& path, QtCanvas& canvas, std::string& error) {
    if (format != MGPictureFormat::Png) {
        if (canvas.Finish(&error)) return true;
        error = "cannot write " + path + (error.empty() ? "" : ": " + error);
        return false;
    }
    const std::optional<std::string> png = PngBytes(canvas);
    if (!png) {
        error = "cannot encode the PNG picture";
        return false;
    }
    try {
        WriteFileAtomically(path, *png);
    } catch (const FileError& failure) {
        error = failure.what();
        return false;
    }
    return true;
}

}  // namespace

bool WritePictureFile(MGDesignDocument& document, MGPictureFormat format, int page, const std::string& path,
                      std::string& error) {
    const auto size = document.DrawBox().Console().PictureSize(page);
    if (!size) {
        error = "page " + std::to_string(page) + " is outside the page grid";
        return false;
    }
    const std::unique_ptr<QtCanvas> canvas = MakeCanvas(format, path, *size, error);
    if (!canvas || !canvas->IsActive()) {
        error = "cannot create " + path + (error.empty() ? "" : ": " + error);
        return false;
    }
    document.DrawPicture(page, *canvas);
    return Finish(format, path, *canvas, error);
}

std::optional<MGPictureRenditions> DrawPictureRenditions(MGDesignDocument& document, int page) {
    const auto size = document.DrawBox().Console().PictureSize(page);
    if (!size) return std::nullopt;
    const std::unique_ptr<QtCanvas> image = QtCanvas::ForImage(size->width, size->height);
    document.DrawPicture(page, *image);
    std::optional<std::string> png = PngBytes(*image);
    // The SVG canvas writes a file; it is read back from a folder of its own.
    const QTemporaryDir folder;
    if (!png || !folder.isValid()) return std::nullopt;
    const std::string svgPath = folder.filePath(QStringLiteral("picture.svg")).toStdString();
    std::string error;
    if (!WritePictureFile(document, MGPictureFormat::Svg, page, svgPath, error)) return std::nullopt;
    QFile svg(QString::fromStdString(svgPath));
    if (!svg.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray svgBytes = svg.readAll();
    return MGPictureRenditions{std::move(*png),
                               std::string(svgBytes.constData(), static_cast<std::size_t>(svgBytes.size()))};
}

}  // namespace tabulorix
