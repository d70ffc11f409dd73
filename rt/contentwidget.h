#pragma once
// The widget that is a window's content area: it paints the back colour, the backdrop and the
// light shapes, routes presses to the shapes or the window, and turns Return and Escape into
// presses of the default and cancel buttons.

#include <QWidget>
#include <cstdint>

namespace rt {

class Control;
class ShapeArray;
class Window;

namespace detail {

// What a press lands on: a light shape, a member of a shape array, or nothing.
struct ShapeHit {
    Control* control = nullptr;
    const ShapeArray* array = nullptr;
    std::int32_t slot = -1;
    bool Found() const { return control != nullptr || array != nullptr; }
};

class ContentWidget : public QWidget {
public:
    explicit ContentWidget(Window& window);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PaintContent(const QPaintEvent& event);
    // The top light shape at a point, or null; hidden shapes are never found, disabled ones
    // only when `includeDisabled`.
    ShapeHit ShapeAt(const QPoint& at, bool includeDisabled) const;
    // Puts a fixed-size window back to its size when the window system has resized it.
    void KeepFixedSize();

    Window& window_;
    bool correctionPending_ = false;
};

} // namespace detail
} // namespace rt
