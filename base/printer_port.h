// The system printer as the printer output sees it: its printable area, its
// canvas, its paper settings and its print job.
#pragma once

#include <stdexcept>
#include <string>

#include "base/canvas.h"

namespace tabulorix {

// Windows printer-settings codes, kept because design files store them.
inline constexpr int kPaperLetter = 1;
inline constexpr int kPaperLegal = 5;
inline constexpr int kPaperA3 = 8;
inline constexpr int kPaperA4 = 9;
inline constexpr int kPaperA5 = 11;
inline constexpr int kPaperB4Jis = 12;
inline constexpr int kPaperB5Jis = 13;
inline constexpr int kOrientationPortrait = 1;
inline constexpr int kOrientationLandscape = 2;

// Outcome of reading or writing the paper size and orientation.
struct PaperSettingsResult {
    enum class Status {
        Ok,
        NoSettings,  // the printer has no settings block to read or write
        LockFailed,  // the settings block could not be accessed; errorCode says why
        Rejected,    // the printer does not take this paper size or orientation
    };
    Status status = Status::Ok;
    int errorCode = 0;
    int paperSize = -1;    // paper size code
    int orientation = -1;  // 1 portrait, 2 landscape
};

// A print job operation that failed; the message is shown to the user.
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PrinterPort {
public:
    virtual ~PrinterPort() = default;

    // The printable area of the current paper in printer pixels.
    virtual double PageWidth() const = 0;
    virtual double PageHeight() const = 0;
    // The printer canvas. It is the same object for the printer's lifetime,
    // also across print jobs; its PixelsPerInch() is the printer resolution.
    virtual Canvas& PrinterCanvas() = 0;

    virtual PaperSettingsResult ReadPaperSettings() = 0;
    // Writes paper size code and orientation into the printer settings and
    // changes nothing else; the result's status tells whether it worked.
    virtual PaperSettingsResult WritePaperSettings(int paperSize, int orientation) = 0;

    // The print job: start it, eject to a new sheet, end it. Throw PrintError.
    virtual void BeginDoc() = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
};

}  // namespace tabulorix
