#include "rt/picture.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <memory>

namespace rt {

struct Graphics::State {
    QImage* image = nullptr;
    Color foreColor = 0x000000;
    std::int32_t penWidth = 1;
    std::int32_t penHeight = 1;
    std::string textFont = "System";
    std::int32_t textSize = 0;
    bool bold = false;
    // Kept open between drawing calls (opening a painter costs more than most primitives);
    // closed whenever the image is read, so readers always see every drawing done so far.
    std::unique_ptr<QPainter> painter;
    // The painter holds the outline style (the line pen of this colour and size, no brush).
    bool outlineSet = false;
    Color outlineColor = 0;
    std::int32_t outlineSize = 0;
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

std::int32_t PenSize(const Graphics::State& state) {
    return std::max<std::int32_t>(1, std::max(state.penWidth, state.penHeight));
}

QPen LinePen(const Graphics::State& state) {
    QPen pen(ToQColor(state.foreColor));
    const std::int32_t size = PenSize(state);
    pen.setWidth(size);
    // A one-pixel pen takes Qt's fast cosmetic line drawing.
    pen.setCosmetic(size == 1);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Sets the outline style, unless the painter holds it already: setting a pen costs more than
// drawing a short line.
void UseOutlineStyle(Graphics::State& state, QPainter& painter) {
    const std::int32_t size = PenSize(state);
    if (state.outlineSet && state.outlineColor == state.foreColor && state.outlineSize == size)
        return;
    painter.setPen(LinePen(state));
    painter.setBrush(Qt::NoBrush);
    state.outlineSet = true;
    state.outlineColor = state.foreColor;
    state.outlineSize = size;
}

QPolygon PolygonFrom(const std::vector<std::int32_t>& points) {
    QPolygon polygon;
    for (std::size_t i = 1; i + 1 < points.size(); i += 2)
        polygon << QPoint(points[i], points[i + 1]);
    return polygon;
}

QImage ToRgb32(const QImage& image) {
    if (image.isNull())
        return {};
    if (image.format() == QImage::Format_RGB32)
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    // Transparent parts show the white of a new picture.
    QImage result(image.size(), QImage::Format_RGB32);
    if (result.isNull())
        return {};
    result.fill(Qt::white);
    QPainter painter(&result);
    painter.drawImage(QPoint(0, 0), image);
    return result;
}

} // namespace

Color Graphics::ForeColor() const {
    return state_->foreColor;
}
void Graphics::SetForeColor(Color color) {
    state_->foreColor = color & 0xFFFFFFu;
}
std::int32_t Graphics::PenWidth() const {
    return state_->penWidth;
}
void Graphics::SetPenWidth(std::int32_t width) {
    state_->penWidth = std::max<std::int32_t>(0, width);
}
std::int32_t Graphics::PenHeight() const {
    return state_->penHeight;
}
void Graphics::SetPenHeight(std::int32_t height) {
    state_->penHeight = std::max<std::int32_t>(0, height);
}
std::string Graphics::TextFont() const {
    return state_->textFont;
}
void Graphics::SetTextFont(const std::string& font) {
    state_->textFont = font;
}
std::int32_t Graphics::TextSize() const {
    return state_->textSize;
}
void Graphics::SetTextSize(std::int32_t size) {
    state_->textSize = std::max<std::int32_t>(0, size);
}
bool Graphics::Bold() const {
    return state_->bold;
}
void Graphics::SetBold(bool bold) {
    state_->bold = bold;
}

std::int32_t Graphics::Width() const {
    return Drawable(state_) ? state_->image->width() : 0;
}
std::int32_t Graphics::Height() const {
    return Drawable(state_) ? state_->image->height() : 0;
}

void Graphics::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    if (!Drawable(state_) || state_->penWidth <= 0 || state_->penHeight <= 0)
        return;
    CallPainter painter(*state_);
    UseOutlineStyle(*state_, *painter);
    painter->drawLine(x1, y1, x2, y2);
}

void Graphics::DrawRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (!Drawable(state_) || width <= 0 || height <= 0 || state_->penWidth <= 0 || state_->penHeight <= 0)
        return;
    // The frame lies inside the rectangle, as wide and high as the pen.
    const std::int32_t pw = std::min(state_->penWidth, width);
    const std::int32_t ph = std::min(state_->penHeight, height);
    const QColor color = ToQColor(state_->foreColor);
    CallPainter painter(*state_);
    painter->fillRect(QRect(x, y, width, ph), color);
    painter->fillRect(QRect(x, y + height - ph, width, ph), color);
    painter->fillRect(QRect(x, y, pw, height), color);
    painter->fillRect(QRect(x + width - pw, y, pw, height), color);
}

void Graphics::FillRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (!Drawable(state_) || width <= 0 || height <= 0)
        return;
    CallPainter painter(*state_);
    painter->fillRect(QRect(x, y, width, height), ToQColor(state_->foreColor));
}

void Graphics::ClearRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (!Drawable(state_) || width <= 0 || height <= 0)
        return;
    CallPainter painter(*state_);
    painter->fillRect(QRect(x, y, width, height), Qt::white);
}

void Graphics::DrawOval(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (!Drawable(state_) || width <= 0 || height <= 0 || state_->penWidth <= 0 || state_->penHeight <= 0)
        return;
    const std::int32_t pen = PenSize(*state_);
    CallPainter painter(*state_);
    UseOutlineStyle(*state_, *painter);
    // The pen is centred on the outline: inset it by half its size so the oval stays inside.
    const double half = pen / 2.0;
    painter->drawEllipse(QRectF(x + half, y + half, std::max(0, width - pen), std::max(0, height - pen)));
}

void Graphics::FillOval(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (!Drawable(state_) || width <= 0 || height <= 0)
        return;
    CallPainter painter(*state_);
    painter->setPen(Qt::NoPen);
    painter->setBrush(ToQColor(state_->foreColor));
    state_->outlineSet = false;
    painter->drawEllipse(QRect(x, y, width, height));
}

void Graphics::DrawPolygon(const std::vector<std::int32_t>& points) {
    if (!Drawable(state_) || state_->penWidth <= 0 || state_->penHeight <= 0)
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

void Graphics::FillPolygon(const std::vector<std::int32_t>& points) {
    if (!Drawable(state_))
        return;
    const QPolygon polygon = PolygonFrom(points);
    if (polygon.isEmpty())
        return;
    CallPainter painter(*state_);
    const QColor color = ToQColor(state_->foreColor);
    QPen pen(color);
    pen.setWidth(1);
    painter->setPen(pen);
    painter->setBrush(color);
    state_->outlineSet = false;
    painter->drawPolygon(polygon);
}

void Graphics::DrawString(const std::string& text, std::int32_t x, std::int32_t baselineY) {
    if (!Drawable(state_) || text.empty())
        return;
    QFont font(QString::fromStdString(state_->textFont));
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    font.setPixelSize(state_->textSize > 0 ? state_->textSize : 12);
    font.setBold(state_->bold);
    CallPainter painter(*state_);
    painter->setFont(font);
    painter->setPen(ToQColor(state_->foreColor));
    state_->outlineSet = false;
    painter->drawText(QPoint(x, baselineY), QString::fromStdString(text));
}

void Graphics::DrawPicture(const Picture& picture, std::int32_t x, std::int32_t y) {
    if (!Drawable(state_) || !picture)
        return;
    // A copy keeps drawing a picture into itself well defined.
    const QImage source = picture.Image().copy();
    CallPainter painter(*state_);
    painter->drawImage(QPoint(x, y), source);
}

void Graphics::DrawPicture(const Picture& picture, std::int32_t x, std::int32_t y, std::int32_t width,
                           std::int32_t height, std::int32_t sourceX, std::int32_t sourceY,
                           std::int32_t sourceWidth, std::int32_t sourceHeight) {
    if (!Drawable(state_) || !picture || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    const QImage source = picture.Image().copy();
    CallPainter painter(*state_);
    painter->drawImage(QRect(x, y, width, height), source,
                       QRect(sourceX, sourceY, sourceWidth, sourceHeight));
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
    QImage converted = ToRgb32(image);
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
    return static_cast<Color>(impl_->image.pixel(x, y)) & 0xFFFFFFu;
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
