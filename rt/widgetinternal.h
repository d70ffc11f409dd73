#pragma once
// Internal helpers of the widget half of the runtime: text and colour conversions, the key
// names handed to the program, fonts, and the calls of the program's handlers.

#include <QColor>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>
#include <utility>

#include "rt/handlerguard.h"
#include "rt/textstyle.h"

class QFont;
class QKeyEvent;
class QWidget;

namespace rt::detail {

inline QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string FromQ(const QString& text) {
    return text.toStdString();
}
inline QColor ToQColor(Color color) {
    return QColor(static_cast<int>((color >> 16) & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>(color & 0xFF));
}
inline Color FromQColor(const QColor& color) {
    return (static_cast<Color>(color.red()) << 16) | (static_cast<Color>(color.green()) << 8) |
           static_cast<Color>(color.blue());
}
// Texts use CR (and CR LF) as line breaks; Qt shows LF.
QString DisplayText(const std::string& text);

// Runs a handler of the program, if it has one, guarded; returns what it returns (a default
// value when there is none or it failed).
template <class R, class... Params, class... Args>
R RunHandler(const std::function<R(Params...)>& handler, Args&&... args) {
    if (!handler)
        return R();
    return Guarded([&] { return handler(std::forward<Args>(args)...); });
}

// The key as the program sees it (see Window::Event_KeyDown); "" for keys it does not get
// (modifiers alone, Ctrl combinations, function keys).
std::string KeyText(const QKeyEvent& event);
// Sends a press and a release of the key that KeyText names `key` (one character) to a widget.
void SendKey(QWidget& widget, const QString& key);

// The base font with the style's family (sans serif as the fallback), size in pixels (0 keeps the
// base size), weight and decorations.
QFont StyledFont(const QFont& base, const TextStyle& style);
void ApplyTextStyle(QWidget& widget, const TextStyle& style);
// 0 default, 1 left, 2 centre, 3 right.
Qt::Alignment HorizontalAlignment(std::int32_t align);

// The widget of a native control, owned by the control and deleted with it.
template <class W> struct NativeWidget {
    NativeWidget() = default;
    NativeWidget(const NativeWidget&) = delete;
    NativeWidget& operator=(const NativeWidget&) = delete;
    ~NativeWidget() { delete widget.data(); }
    QPointer<W> widget;
};

// A button's caption and text style: kept until the widget exists, then shown on it.
template <class W> struct CaptionedWidget : NativeWidget<W> {
    void SetCaption(const std::string& text) {
        caption = text;
        if (this->widget)
            this->widget->setText(ToQ(text));
    }
    void SetStyle(const TextStyle& textStyle) {
        style = textStyle;
        styled = true;
        if (this->widget)
            ApplyTextStyle(*this->widget, textStyle);
    }
    void Attach(W* created) {
        this->widget = created;
        created->setText(ToQ(caption));
        if (styled)
            ApplyTextStyle(*created, style);
    }
    void CopyTo(CaptionedWidget& other) const {
        other.SetCaption(caption);
        if (styled)
            other.SetStyle(style);
    }
    std::string caption;
    bool styled = false;
    TextStyle style;
};

} // namespace rt::detail
