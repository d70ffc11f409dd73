#include "rt/widgetinternal.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QPalette>
#include <QWidget>

namespace rt::detail {

QString DisplayText(const std::string& text) {
    QString shown = ToQ(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

std::string KeyText(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Left:
        return "\x1c";
    case Qt::Key_Right:
        return "\x1d";
    case Qt::Key_Up:
        return "\x1e";
    case Qt::Key_Down:
        return "\x1f";
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return "\r";
    case Qt::Key_Backspace:
        return "\x08";
    case Qt::Key_Delete:
        return "\x7f";
    case Qt::Key_Escape:
        return "\x1b";
    case Qt::Key_Tab:
        return "\t";
    default:
        break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return {};
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return {};
    return FromQ(text);
}

void SendKey(QWidget& widget, const QString& key) {
    struct Special {
        const char* key;
        int code;
        const char* text;
    };
    static const Special specials[] = {
        {"\r", Qt::Key_Return, "\r"},     {"\x08", Qt::Key_Backspace, "\x08"},
        {"\x7f", Qt::Key_Delete, "\x7f"}, {"\x1b", Qt::Key_Escape, "\x1b"},
        {"\t", Qt::Key_Tab, "\t"},        {"\x1c", Qt::Key_Left, ""},
        {"\x1d", Qt::Key_Right, ""},      {"\x1e", Qt::Key_Up, ""},
        {"\x1f", Qt::Key_Down, ""},
    };
    int code = Qt::Key_unknown;
    QString text = key;
    for (const Special& special : specials) {
        if (key == QLatin1String(special.key)) {
            code = special.code;
            text = QLatin1String(special.text);
        }
    }
    if (code == Qt::Key_unknown && key.size() == 1 && key.at(0).unicode() < 0x80 && key.at(0).isPrint())
        code = key.at(0).toUpper().unicode();
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&widget, &release);
}

QFont StyledFont(const QFont& base, const TextStyle& style) {
    // Layouts made for Arial keep their widths in Liberation Sans, which has its metrics.
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("Arial"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)substituted;
    QFont font = base;
    if (!style.Font.empty()) {
        font.setFamily(ToQ(style.Font));
        font.setStyleHint(QFont::SansSerif);
    }
    if (style.Size > 0)
        font.setPixelSize(style.Size);
    font.setBold(style.Bold);
    font.setItalic(style.Italic);
    font.setUnderline(style.Underline);
    return font;
}

void ApplyTextStyle(QWidget& widget, const TextStyle& style) {
    widget.setFont(StyledFont(QApplication::font(&widget), style));
    QPalette palette = widget.palette();
    const QColor color = ToQColor(style.TextColor);
    // A disabled control keeps the platform's greyed text, so it looks disabled.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, color);
        palette.setColor(group, QPalette::ButtonText, color);
        palette.setColor(group, QPalette::Text, color);
    }
    widget.setPalette(palette);
}

Qt::Alignment HorizontalAlignment(std::int32_t align) {
    switch (align) {
    case 2:
        return Qt::AlignHCenter;
    case 3:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

} // namespace rt::detail
