#include "app/window_surfaces.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QSignalBlocker>

#include "platform/qt_canvas.h"

namespace tabulorix {

PaintBoxWidget::PaintBoxWidget(QWidget* parent)
    : QWidget(parent), image_(QtCanvas::ForImage(1, 1)), canvas_(*image_) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

PaintBoxWidget::~PaintBoxWidget() = default;

// An invalidated area is drawn again at the next paint, and only it (with
// a pixel around it, for outlines drawn on a box's edge). What the drawing
// itself invalidates while it draws is drawn already.
void PaintBoxWidget::InvalidateWindowRect(const Rect& rect) {
    if (painting_ || stale_) return;
    const QRect area = QRect(QPoint(rect.left, rect.top), QPoint(rect.right, rect.bottom)).normalized();
    invalidated_ |= area.adjusted(-1, -1, 1, 1) & QRect(QPoint(0, 0), size());
}

void PaintBoxWidget::ScrollContents(int, int) { Repaint(); }

void PaintBoxWidget::Repaint() {
    if (painting_) return;
    stale_ = true;
    update();
}

PaintBoxWidget::Hold::~Hold() {
    if (--box_.holds_ == 0 && (box_.stale_ || !box_.invalidated_.isEmpty())) box_.update();
}

const QImage& PaintBoxWidget::Picture() const {
    return *image_->Image();
}

void PaintBoxWidget::paintEvent(QPaintEvent*) {
    // Moved to a screen of another ratio: a new image, drawn anew.
    if (holds_ == 0 && image_->Image()->devicePixelRatio() != devicePixelRatioF()) RenewImage();
    // A paint hook that itself asks for a repaint must not recurse.
    if ((stale_ || !invalidated_.isEmpty()) && !painting_ && holds_ == 0 && paintHook_) {
        const QRect whole(QPoint(0, 0), size());
        const QRect area = stale_ ? whole : invalidated_;
        painting_ = true;
        stale_ = false;
        invalidated_ = QRect();
        QPainter* painter = image_->Painter();
        if (painter != nullptr && area != whole) painter->setClipRect(area);
        Erase(area);
        paintHook_(Rect{area.left(), area.top(), area.right() + 1, area.bottom() + 1});
        if (painter != nullptr) painter->setClipping(false);
        painting_ = false;
    }
    QPainter painter(this);
    if (const QImage* image = image_->Image()) painter.drawImage(0, 0, *image);
}

// The diagram clears only its paper; around it the box shows its
// background, as a window system erases an area it repaints (otherwise what
// lay there before a scroll would stay).
void PaintBoxWidget::Erase(const QRect& area) {
    if (QPainter* painter = image_->Painter()) painter->fillRect(area, palette().color(backgroundRole()));
}

void PaintBoxWidget::resizeEvent(QResizeEvent*) {
    RenewImage();
    Q_EMIT resized();
}

void PaintBoxWidget::RenewImage() {
    // The new image takes over pen, brush and font through the forwarding
    // canvas before the old one goes.
    std::unique_ptr<QtCanvas> image = QtCanvas::ForImage(std::max(1, width()), std::max(1, height()),
                                                         QImage::Format_RGB32, devicePixelRatioF());
    canvas_.SetTarget(*image);
    image_ = std::move(image);
    stale_ = true;
}

void PaintBoxWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Q_EMIT pressed(at.x(), at.y(), event->button() == Qt::RightButton,
                   (event->modifiers() & Qt::ShiftModifier) != 0, false);
}

void PaintBoxWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Q_EMIT pressed(at.x(), at.y(), event->button() == Qt::RightButton,
                   (event->modifiers() & Qt::ShiftModifier) != 0, true);
}

void PaintBoxWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Q_EMIT moved(at.x(), at.y());
}

void PaintBoxWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Q_EMIT released(at.x(), at.y());
}

void PaintBoxWidget::wheelEvent(QWheelEvent* event) {
    const QPoint at = event->position().toPoint();
    Q_EMIT wheeled(event->angleDelta().x(), event->angleDelta().y(), event->modifiers(), at.x(), at.y());
    event->accept();
}

void PaintBoxWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Escape:
            Q_EMIT keyPressed(event->key());
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

ScrollBarWidget::ScrollBarWidget(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
    connect(this, &QScrollBar::valueChanged, this, &ScrollBarWidget::movedByUser);
}

void ScrollBarWidget::SetPosition(int position) {
    const QSignalBlocker quiet(this);
    setValue(position);
}

void ScrollBarWidget::SetMin(int min) {
    const QSignalBlocker quiet(this);
    setMinimum(min);
}

void ScrollBarWidget::SetMax(int max) {
    const QSignalBlocker quiet(this);
    setMaximum(max);
}

namespace {

const QString kEmfType = QStringLiteral("image/x-emf");

QByteArray Bytes(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QByteArray Bytes(const std::string& bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool Offer(std::unique_ptr<QMimeData> data) {
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard == nullptr) return false;
    clipboard->setMimeData(data.release());  // the clipboard takes ownership
    return true;
}

}  // namespace

bool SystemClipboard::PutEmf(const std::vector<std::uint8_t>& bytes) {
    auto data = std::make_unique<QMimeData>();
    data->setData(kEmfType, Bytes(bytes));
    return Offer(std::move(data));
}

bool SystemClipboard::PutPicture(const std::vector<std::uint8_t>& emf, const std::string& png,
                                 const std::string& svg) {
    auto data = std::make_unique<QMimeData>();
    const QByteArray pngBytes = Bytes(png);
    QImage image;
    if (image.loadFromData(pngBytes, "PNG")) data->setImageData(image);
    data->setData(QStringLiteral("image/png"), pngBytes);
    data->setData(QStringLiteral("image/svg+xml"), Bytes(svg));
    data->setData(kEmfType, Bytes(emf));
    return Offer(std::move(data));
}

}  // namespace tabulorix
