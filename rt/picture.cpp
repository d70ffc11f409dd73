#include "rt/picture.h"

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <algorithm>
#include <limits>
#include <memory>

#include "rt/ovalpixels.h"

namespace rt {

struct Graphics::State {
    QImage* image = nullptr;
    Color foreColor = 0x000000;
    // Kept open between drawing calls (opening a painter costs more than most primitives);
    // closed whenever the image is read, so readers always see every drawing done so far.
    std::unique_ptr<QPainter> painter;
    // The painter holds the outline style (the one-pixel line pen of this colour, no brush).
    bool outlineSet = false;
    Color outlineColor = 0;
};

struct Picture::Impl {
    QImage image;
    Graphics::State state;
    rt::Graphics graphics{&state};

    explicit Impl(QImage img) : image(std::move(img)) { state.image = &image; }
};

namespace {

QColor ToQColor(Color color) {
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | (color & 0xFFFFFFu)));
}

// The picture's painter, opened on first use: no antialiasing.
class CallPainter {
public:
    explicit CallPainter(Graphics::State& state) {
        if (!state.painter) {
            state.outlineSet = false;
            state.painter = std::make_unique<QPainter>(state.image);
            state.painter->setRenderHint(QPainter::Antialiasing, false);
            state.painter->setRenderHint(QPainter::TextAntialiasing, false);
            state.painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        }
        painter_ = state.painter.get();
    }
    QPainter& operator*() { return *painter_; }
    QPainter* operator->() { return painter_; }

private:
    QPainter* painter_;
};

bool Drawable(const Graphics::State* state) {
    return state && state->image && !state->image->isNull();
}

QPen LinePen(const Graphics::State& state) {
    QPen pen(ToQColor(state.foreColor));
    pen.setWidth(1);
    // A one-pixel pen takes Qt's fast cosmetic line drawing.
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Sets the outline style, unless the painter holds it already: setting a pen costs more than
// drawing a short line.
void UseOutlineStyle(Graphics::State& state, QPainter& painter) {
    if (state.outlineSet && state.outlineColor == state.foreColor)
        return;
    painter.setPen(LinePen(state));
    painter.setBrush(Qt::NoBrush);
    state.outlineSet = true;
    state.outlineColor = state.foreColor;
}

QPolygon PolygonFrom(const std::vector<std::int32_t>& points) {
    QPolygon polygon;
    for (std::size_t i = 1; i + 1 < points.size(); i += 2)
        polygon << QPoint(points[i], points[i + 1]);
    return polygon;
}

bool Opaque(const QImage& premultiplied) {
    for (int y = 0; y < premultiplied.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
        for (int x = 0; x < premultiplied.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

// A picture keeps the transparent parts of its image (icons show what lies under them); an
// opaque image needs no alpha channel.
QImage ToPictureFormat(const QImage& image) {
    if (image.isNull())
        return {};
    if (!image.hasAlphaChannel())
        return image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!result.isNull() && Opaque(result))
        result.reinterpretAsFormat(QImage::Format_RGB32);
    return result;
}

// Whether a rectangle's far edges can be computed in an int, as Qt's rectangles do.
bool Representable(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    const auto fits = [](std::int64_t start, std::int64_t size) {
        return size > 0 && start + size <= std::numeric_limits<int>::max();
    };
    return fits(x, width) && fits(y, height);
}

void FillSpans(Graphics::State& state, const std::vector<QRect>& spans) {
    if (spans.empty())
        return;
    const QColor color = ToQColor(state.foreColor);
    CallPainter painter(state);
    for (const QRect& span : spans)
        painter->fillRect(span, color);
}

} // namespace

Color Graphics::ForeColor() const {
    return state_->foreColor;
}
void Graphics::SetForeColor(Color color) {
    state_->foreColor = color & 0xFFFFFFu;
}

void Graphics::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    if (!Drawable(state_))
        return;
    CallPainter painter(*state_);
    UseOutlineStyle(*state_, *painter);
    painter->drawLine(x1, y1, x2, y2);
}

void Graphics::FillRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (!Drawable(state_) || !Representable(x, y, width, height))
        return;
    CallPainter painter(*state_);
    painter->fillRect(QRect(x, y, width, height), ToQColor(state_->foreColor));
}

void Graphics::DrawOval(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (!Drawable(state_))
        return;
    FillSpans(*state_, OvalOutlinePixels({x, y, width, height}, 1, 1, state_->image->rect()));
}

void Graphics::DrawPolygon(const std::vector<std::int32_t>& points) {
    if (!Drawable(state_))
        return;
    // Triangles and other small outlines, the common case, need no list on the heap.
    constexpr std::size_t kLocal = 8;
    if (points.size() > 2 * kLocal + 1) {
        const QPolygon polygon = PolygonFrom(points);
        CallPainter painter(*state_);
        UseOutlineStyle(*state_, *painter);
        painter->drawPolygon(polygon);
        return;
    }
    QPoint local[kLocal];
    int count = 0;
    for (std::size_t i = 1; i + 1 < points.size(); i += 2)
        local[count++] = QPoint(points[i], points[i + 1]);
    if (count == 0)
        return;
    CallPainter painter(*state_);
    UseOutlineStyle(*state_, *painter);
    if (count == 1)
        painter->drawPoint(local[0]);
    else
        painter->drawPolygon(local, count);
}

void Graphics::DrawPicture(const Picture& picture, std::int32_t x, std::int32_t y) {
    if (!Drawable(state_) || !picture)
        return;
    const QImage& image = picture.Image();
    CallPainter painter(*state_);
    // Drawn into itself, the picture is read from a copy taken before any pixel changes.
    painter->drawImage(QPoint(x, y), &image == state_->image ? image.copy() : image);
}

void Graphics::DrawPicture(const Picture& picture, std::int32_t x, std::int32_t y, std::int32_t width,
                           std::int32_t height, std::int32_t sourceX, std::int32_t sourceY,
                           std::int32_t sourceWidth, std::int32_t sourceHeight) {
    if (!Drawable(state_) || !picture || !Representable(x, y, width, height) ||
        !Representable(sourceX, sourceY, sourceWidth, sourceHeight))
        return;
    const QImage& image = picture.Image();
    const QRect wanted(sourceX, sourceY, sourceWidth, sourceHeight);
    const QRect source = wanted.intersected(image.rect());
    if (source.isEmpty())
        return;
    // Only the part of the source inside the picture is drawn, where it would have landed.
    const double scaleX = static_cast<double>(width) / sourceWidth;
    const double scaleY = static_cast<double>(height) / sourceHeight;
    const QRectF target(x + (source.x() - wanted.x()) * scaleX, y + (source.y() - wanted.y()) * scaleY,
                        source.width() * scaleX, source.height() * scaleY);
    const bool self = &image == state_->image;
    if (width == sourceWidth && height == sourceHeight) {
        CallPainter painter(*state_);
        painter->drawImage(target.topLeft(), self ? image.copy(source) : image,
                           self ? QRect(QPoint(0, 0), source.size()) : source);
        return;
    }
    // Scaled pictures are smoothed, so that a scanned map shrunk to a window stays legible:
    // shrinking averages the source pixels that fall on each target pixel.
    const QSize shrunk(std::max(1, qRound(target.width())), std::max(1, qRound(target.height())));
    if (shrunk.width() <= source.width() && shrunk.height() <= source.height()) {
        const QImage small =
            image.copy(source).scaled(shrunk, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        CallPainter painter(*state_);
        painter->drawImage(QPointF(target.x(), target.y()).toPoint(), small);
        return;
    }
    const QImage copy = self ? image.copy(source) : QImage();
    CallPainter painter(*state_);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter->drawImage(target, self ? copy : image, self ? QRectF(copy.rect()) : QRectF(source));
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

Picture::Picture() = default;

Picture Picture::New(std::int32_t width, std::int32_t height, std::int32_t /*depth*/) {
    if (width < 1 || height < 1)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    Picture picture;
    picture.impl_ = std::make_shared<Impl>(std::move(image));
    return picture;
}

Picture Picture::FromImage(const QImage& image) {
    QImage converted = ToPictureFormat(image);
    if (converted.isNull())
        return {};
    Picture picture;
    picture.impl_ = std::make_shared<Impl>(std::move(converted));
    return picture;
}

std::int32_t Picture::Width() const {
    return impl_ ? impl_->image.width() : 0;
}
std::int32_t Picture::Height() const {
    return impl_ ? impl_->image.height() : 0;
}

rt::Graphics& Picture::Graphics() const {
    if (impl_)
        return impl_->graphics;
    // A nil picture's drawing does nothing: its state has no image.
    thread_local Graphics::State nilState;
    thread_local rt::Graphics nilGraphics{&nilState};
    nilState = Graphics::State();
    return nilGraphics;
}

Color Picture::Pixel(std::int32_t x, std::int32_t y) const {
    if (!impl_ || x < 0 || y < 0 || x >= impl_->image.width() || y >= impl_->image.height())
        return 0;
    impl_->state.painter.reset();
    // A transparent pixel reads as it shows over white.
    const QRgb pixel = qPremultiply(impl_->image.pixel(x, y));
    const int under = 255 - qAlpha(pixel);
    return static_cast<Color>(qRgb(qRed(pixel) + under, qGreen(pixel) + under, qBlue(pixel) + under)) &
           0xFFFFFFu;
}

Picture Picture::Copy() const {
    if (!impl_)
        return {};
    Picture copy;
    copy.impl_ = std::make_shared<Impl>(Image().copy());
    return copy;
}

QImage& Picture::Image() const {
    if (impl_) {
        impl_->state.painter.reset();
        return impl_->image;
    }
    thread_local QImage nilImage;
    nilImage = QImage();
    return nilImage;
}

} // namespace rt
