// Decoding JPEG pictures (the title picture) with libjpeg.
//
// libjpeg's default error handling ends the process; here every error and
// every warning (a truncated file is only a warning to libjpeg) makes the
// decoder give up, so a damaged picture yields an empty image and the
// program goes on without it.
#pragma once

#include <QImage>
#include <cstddef>
#include <string>

namespace tabulorix {

// The picture held in `size` bytes at `data`, as RGB; an empty image when
// the bytes are not a complete, undamaged JPEG picture.
QImage DecodeJpeg(const unsigned char* data, std::size_t size);

// The picture of a JPEG file; an empty image when the file is missing,
// unreadable or damaged.
QImage ReadJpegFile(const std::string& path);

}  // namespace tabulorix
