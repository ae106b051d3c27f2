// tabulorix-bench-window: times the main window's diagram as the user meets
// it, through the real widgets under the offscreen platform, on requests
// read from standard input (one per line, one number of seconds answered
// per line; bench/run interleaves them with other measurements):
//
//   open         a new 1920x1080 window (the previous one closed outside
//                the time) opens the design and paints its diagram tab:
//                the seconds from the open command to the painted view
//   scroll Z N   at zoom Z with the middle of the diagram in view, N steps
//                of the vertical scroll bar, each with its paint: the
//                median seconds of a step
//   drag Z N     at zoom Z, a box in view pressed and moved N times, each
//                move with its paint: the median seconds of a frame (the
//                drag is given up with Escape, so the design stays as read)
//
//   tabulorix-bench-window --design D.tlx
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window_actions.h"
#include "app/window_surfaces.h"
#include "bench/request_loop.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"
#include "platform/allocator_tuning.h"
#include "render/draw_box.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double MedianOf(std::vector<double> values) {
    if (values.empty()) throw std::runtime_error("nothing was timed");
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

class WindowBench {
public:
    explicit WindowBench(std::string design) : design_(std::move(design)) {}

    double Open() {
        window_.reset();
        window_ = std::make_unique<tabulorix::TForm1>();
        window_->resize(1920, 1080);
        window_->show();
        Pages().setCurrentIndex(1);
        QCoreApplication::processEvents();
        const auto start = Clock::now();
        if (!window_->OpenDesignPath(QString::fromStdString(design_)))
            throw std::runtime_error("cannot open " + design_);
        Pages().setCurrentIndex(1);
        Box().repaint();
        const double seconds = Since(start);
        const tabulorix::MGDrawTableList* diagram = tabulorix::MGDrawTableList::Current();
        if (diagram == nullptr || diagram->Count() == 0) throw std::runtime_error(design_ + " drew no box");
        return seconds;
    }

    double Scroll(int zoom, int steps) {
        Centre(zoom);
        auto* bar = window_->findChild<QScrollBar*>(QStringLiteral("VScrollBar"));
        std::vector<double> seconds;
        for (int i = 0; i < steps; ++i) {
            const int before = bar->value();
            const auto start = Clock::now();
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            Box().repaint();
            seconds.push_back(Since(start));
            if (bar->value() == before) throw std::runtime_error("the scroll bar did not move");
        }
        return MedianOf(seconds);
    }

    double Drag(int zoom, int frames) {
        Centre(zoom);
        const QPoint grip = GripInView();
        Send(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        std::vector<double> seconds;
        for (int i = 1; i <= frames; ++i) {
            const QPoint to = grip + QPoint(3 + (i * 7) % 41, 2 + (i * 5) % 29);
            const auto start = Clock::now();
            Send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
            Box().repaint();
            seconds.push_back(Since(start));
        }
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&Box(), &escape);
        Send(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
        Box().repaint();
        return MedianOf(seconds);
    }

private:
    QTabWidget& Pages() { return *window_->findChild<QTabWidget*>(QStringLiteral("PageControlTop")); }
    tabulorix::PaintBoxWidget& Box() {
        return *window_->findChild<tabulorix::PaintBoxWidget*>(QStringLiteral("PaintBox"));
    }

    void Require() const {
        if (!window_) throw std::runtime_error("open the design first");
    }

    // The zoom step, the middle of the placed diagram in the middle of the
    // view, painted (all outside the time).
    void Centre(int zoom) {
        Require();
        for (int i = 0; i < 8 && window_->Document().WindowZoom() != zoom; ++i)
            tabulorix::WindowAction(*window_, window_->Document().WindowZoom() < zoom ? "ZoomUp" : "ZoomDown")
                ->trigger();
        if (window_->Document().WindowZoom() != zoom) throw std::runtime_error("no such zoom step");
        const tabulorix::MGDiagramExtent extent = tabulorix::MGDrawTableList::Current()->PlacedExtent();
        tabulorix::ZMGDrawBox& box = window_->Document().DrawBox();
        box.ScrollTo(true, extent.right / 2);
        box.ScrollTo(false, extent.bottom / 2);
        Box().repaint();
    }

    // The middle of a box wholly in view, the one nearest the view's middle.
    QPoint GripInView() {
        const tabulorix::MGDrawTableList& diagram = *tabulorix::MGDrawTableList::Current();
        tabulorix::ZMGDrawBox& box = window_->Document().DrawBox();
        const QRect view = Box().rect();
        std::optional<QPoint> best;
        const auto distance = [&view](QPoint p) { return (p - view.center()).manhattanLength(); };
        for (int i = 0; i < diagram.Count(); ++i) {
            const tabulorix::Rect r = box.MapRect(diagram.Item(i)->Position());
            if (!view.contains(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)))) continue;
            const QPoint middle((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            if (!best || distance(middle) < distance(*best)) best = middle;
        }
        if (!best) throw std::runtime_error("no box wholly in view");
        return *best;
    }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, Box().mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&Box(), &event);
    }

    std::string design_;
    std::unique_ptr<tabulorix::TForm1> window_;
};

int Serve(const std::string& design) {
    WindowBench bench(design);
    return tabulorix::bench::AnswerRequests([&bench](const std::string& line) {
        std::istringstream request(line);
        std::string verb;
        int zoom = 100;
        int count = 1;
        request >> verb >> zoom >> count;
        if (verb == "open") return bench.Open();
        if (verb == "scroll") return bench.Scroll(zoom, std::max(count, 1));
        if (verb == "drag") return bench.Drag(zoom, std::max(count, 1));
        throw std::invalid_argument("cannot answer \"" + line + "\"");
    });
}

}  // namespace

int main(int argc, char** argv) {
    tabulorix::TuneAllocator();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Settings and recovery copies in a folder of the run's own, never the
    // user's.
    const QTemporaryDir own;
    setenv("TABULORIX_RECOVERY_DIR", own.filePath(QStringLiteral("recovery")).toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, own.filePath(QStringLiteral("settings")));
    QApplication::setOrganizationName(QStringLiteral("tabulorix-bench"));
    QApplication::setApplicationName(QStringLiteral("tabulorix-bench-window"));
    try {
        if (argc != 3 || std::string(argv[1]) != "--design")
            throw std::invalid_argument("usage: tabulorix-bench-window --design D.tlx");
        return Serve(argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tabulorix-bench-window: %s\n", error.what());
        return 1;
    }
}
