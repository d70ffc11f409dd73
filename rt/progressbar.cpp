#include "rt/progressbar.h"

#include <QBrush>
#include <QColor>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QProgressBar>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <tuple>

#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

namespace {

constexpr int kFrameDarker = 140, kChunkFrameDarker = 130, kChunkTopLighter = 118;

// A one-pixel frame around `inside`, its corner pixels left to the background.
void FillFramed(QPainter& painter, const QRect& box, const QColor& frame, const QBrush& inside) {
    painter.fillRect(box.adjusted(1, 0, -1, 0), frame);
    painter.fillRect(box.adjusted(0, 1, 0, -1), frame);
    painter.fillRect(box.adjusted(1, 1, -1, -1), inside);
}

// A progress bar drawn with whole-pixel rectangles in the style's colours, which remembers what
// its last paint of the whole bar showed and is painted again only when that changes. Long
// operations repaint it after every step, on the thread that waits for their results: the style's
// antialiased drawing hands its fills to a pool of threads that must wake, while all cores
// compute, and costs a hundred times more.
class ShownProgressBar : public QProgressBar {
public:
    using QProgressBar::QProgressBar;
    bool ShowsItsLook() const { return painted_ && shown_ == Look(); }

    // Takes a range and a value; a paint follows, with the next ones of the window, only when
    // the bar's look changes. QProgressBar would repaint at once by its own measure of the last
    // value painted, which this bar's painting does not keep.
    void SetRangeAndValue(int maximum, int value) {
        const bool updatesWereDisabled = testAttribute(Qt::WA_UpdatesDisabled);
        setAttribute(Qt::WA_UpdatesDisabled, true);
        setRange(0, maximum);
        setValue(value);
        setAttribute(Qt::WA_UpdatesDisabled, updatesWereDisabled);
        if (!ShowsItsLook())
            update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        {
            QPainter painter(this);
            const QRect whole = rect();
            FillFramed(painter, whole, palette().color(QPalette::Window).darker(kFrameDarker),
                       palette().color(QPalette::Base));
            const int filled = Filled();
            if (filled > 2) {
                const QRect chunk(whole.left(), whole.top(), filled, whole.height());
                const QColor highlight = palette().color(QPalette::Highlight);
                QLinearGradient shade(0, chunk.top() + 1, 0, chunk.bottom() - 1);
                shade.setColorAt(0, highlight.lighter(kChunkTopLighter));
                shade.setColorAt(1, highlight);
                FillFramed(painter, chunk, highlight.darker(kChunkFrameDarker), shade);
            }
        }
        if (event->rect().contains(rect())) {
            shown_ = Look();
            painted_ = true;
        }
    }

private:
    // The width of the filled part, in whole pixels.
    int Filled() const {
        const long long span = std::max(1LL, static_cast<long long>(maximum()) - minimum());
        const long long done = std::clamp<long long>(static_cast<long long>(value()) - minimum(), 0, span);
        return static_cast<int>(width() * done / span);
    }
    using Appearance = std::tuple<int, QSize, bool, qint64>;
    Appearance Look() const { return {Filled(), size(), isEnabled(), palette().cacheKey()}; }
    Appearance shown_;
    bool painted_ = false;
};

} // namespace

struct ProgressBar::Impl : detail::NativeWidget<ShownProgressBar> {
    void Apply() {
        if (!widget)
            return;
        // A range of 0..0 would make Qt's bar a busy indicator; an empty range shows empty.
        widget->SetRangeAndValue(std::max(1, maximum), maximum <= 0 ? 0 : std::clamp(value, 0, maximum));
    }
    std::int32_t maximum = 100;
    std::int32_t value = 0;
};

ProgressBar::ProgressBar() : impl_(std::make_unique<Impl>()) {}
ProgressBar::~ProgressBar() = default;

std::int32_t ProgressBar::Value() const {
    return impl_->value;
}

void ProgressBar::SetMaximum(std::int32_t maximum) {
    impl_->maximum = maximum;
    impl_->Apply();
}

void ProgressBar::SetValue(std::int32_t value) {
    impl_->value = value;
    impl_->Apply();
}

void ProgressBar::Refresh() {
    if (impl_->widget && impl_->widget->isVisible() && impl_->widget->ShowsItsLook())
        return;
    Control::Refresh();
}

QWidget* ProgressBar::Widget() const {
    return impl_->widget.data();
}

void ProgressBar::CreateNative(Window& window) {
    auto* bar = new ShownProgressBar(window.ContentWidget());
    bar->setTextVisible(false);
    impl_->widget = bar;
    impl_->Apply();
}

void ProgressBar::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* bar = dynamic_cast<ProgressBar*>(&other)) {
        bar->SetMaximum(impl_->maximum);
        bar->SetValue(impl_->value);
    }
}

} // namespace rt
