#include "platform/jpeg_picture.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace tabulorix {

namespace {

// Larger pictures are refused before any pixel memory is taken: a damaged
// header must not ask for gigabytes.
constexpr JDIMENSION kMaxSide = 16384;

struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf jump;
};

// Errors leave the decoder through the jump buffer instead of exit().
[[noreturn]] void LeaveOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings (msg_level < 0) mean damaged data: leave as for an error. Trace
// messages (msg_level >= 0) are ignored.
void LeaveOnWarning(j_common_ptr info, int msgLevel) {
    if (msgLevel < 0) LeaveOnError(info);
}

void Silent(j_common_ptr) {}

// Decodes into `out`, which lives in the caller's frame so that nothing
// this function changes after setjmp is needed once it has jumped back.
bool RunDecoder(const unsigned char* data, std::size_t size, QImage& out) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = LeaveOnError;
    errors.standard.emit_message = LeaveOnWarning;
    errors.standard.output_message = Silent;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_width > kMaxSide || info.output_height > kMaxSide || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
    if (out.isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

QImage DecodeJpeg(const unsigned char* data, std::size_t size) {
    if (data == nullptr || size == 0) return {};
    QImage image;
    if (!RunDecoder(data, size, image)) return {};
    return image;
}

QImage ReadJpegFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return DecodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
}

}  // namespace tabulorix
