#include "rt/editfield.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>

#include "rt/widgetinternal.h"
#include "rt/window.h"
#include "rt/windowimpl.h"

namespace rt {

namespace {

qsizetype Characters(const QString& text) {
    return text.toUcs4().size();
}

} // namespace

struct EditField::Impl {
    explicit Impl(EditField& field) : owner(&field) {}
    ~Impl();

    // The field's events, run by its widget.
    bool KeyDown(const std::string& key) { return detail::RunHandler(owner->KeyDown, key); }
    void TextChange() { detail::RunHandler(owner->TextChange); }
    void LostFocus() {
        Window* window = owner->ParentWindow();
        if (window == nullptr || detail::WindowAccess::IsClosing(*window))
            return;
        detail::Guarded([this] {
            if (owner->LostFocus)
                owner->LostFocus();
            owner->Event_LostFocus();
        });
    }
    void GotFocus() {
        detail::Guarded([this] {
            if (owner->GotFocus)
                owner->GotFocus();
            owner->Event_GotFocus();
        });
    }
    void ApplyLooks();

    EditField* owner;
    QPointer<class EditFieldWidget> widget;
    std::string text;
    std::int32_t maximumCharacters = 0;
    bool styled = false;
    TextStyle style;
    bool hasBackColor = false;
    Color backColor = 0xFFFFFF;
    std::int32_t align = 0;
};

class EditFieldWidget : public QLineEdit {
public:
    EditFieldWidget(EditField::Impl& field, QWidget* parent) : QLineEdit(parent), field_(&field) {
        connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
            edited_ = true;
            if (field_ == nullptr)
                return;
            field_->text = detail::FromQ(text);
            field_->TextChange();
        });
    }
    void Detach() { field_ = nullptr; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (field_ == nullptr) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        const std::string key = detail::KeyText(*event);
        if (!key.empty() && field_->KeyDown(key)) {
            event->accept();
            return;
        }
        if (field_ == nullptr || field_->maximumCharacters <= 0) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        const qsizetype room = field_->maximumCharacters - (Characters(text()) - Characters(selectedText()));
        if (event->matches(QKeySequence::Paste)) {
            const QString pasted = QGuiApplication::clipboard()->text();
            if (Characters(pasted) <= room) {
                QLineEdit::keyPressEvent(event);
                return;
            }
            const QList<uint> codes = pasted.toUcs4();
            const QString fitting = QString::fromUcs4(reinterpret_cast<const char32_t*>(codes.constData()),
                                                      std::max<qsizetype>(0, room));
            edited_ = false;
            insert(fitting);
            if (!edited_ && field_ != nullptr) {
                field_->text = detail::FromQ(QLineEdit::text());
                field_->TextChange();
            }
            return;
        }
        const bool typesText =
            !key.empty() && key.size() >= 1 && static_cast<unsigned char>(key[0]) >= 0x20 && key != "\x7f";
        if (typesText && Characters(event->text()) > room) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        if (field_ != nullptr)
            field_->GotFocus();
    }

    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        // A popup (a menu, a completer) works on the field; it does not leave it.
        if (field_ != nullptr && event->reason() != Qt::PopupFocusReason)
            field_->LostFocus();
    }

private:
    EditField::Impl* field_;
    bool edited_ = false;
};

EditField::Impl::~Impl() {
    if (widget) {
        widget->Detach();
        delete widget.data();
    }
}

void EditField::Impl::ApplyLooks() {
    if (!widget)
        return;
    if (styled)
        detail::ApplyTextStyle(*widget, style);
    if (hasBackColor) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Base, detail::ToQColor(backColor));
        widget->setPalette(palette);
    }
    widget->setAlignment(detail::HorizontalAlignment(align) | Qt::AlignVCenter);
}

EditField::EditField() : impl_(std::make_unique<Impl>(*this)) {}
EditField::~EditField() = default;

std::string EditField::Text() const {
    return impl_->text;
}

void EditField::SetText(const std::string& text) {
    impl_->text = text;
    if (impl_->widget)
        impl_->widget->setText(detail::ToQ(text));
    impl_->TextChange();
}

void EditField::SetMaximumCharacters(std::int32_t count) {
    impl_->maximumCharacters = std::max(0, count);
}

void EditField::SetStyle(const TextStyle& style) {
    impl_->style = style;
    impl_->styled = true;
    impl_->ApplyLooks();
}

void EditField::SetBackColor(Color color) {
    impl_->backColor = color;
    impl_->hasBackColor = true;
    impl_->ApplyLooks();
}

void EditField::SetAlignment(std::int32_t align) {
    impl_->align = align;
    impl_->ApplyLooks();
}

void EditField::SelectAll() {
    if (impl_->widget)
        impl_->widget->selectAll();
}

void EditField::Type(const std::string& text) {
    const QList<uint> codes = detail::ToQ(text).toUcs4();
    for (const uint code : codes) {
        if (!impl_->widget)
            return;
        detail::SendKey(*impl_->widget, QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1));
    }
}

QWidget* EditField::Widget() const {
    return impl_->widget.data();
}

void EditField::CreateNative(Window& window) {
    auto* field = new EditFieldWidget(*impl_, window.ContentWidget());
    field->setText(detail::ToQ(impl_->text));
    impl_->widget = field;
    impl_->ApplyLooks();
}

void EditField::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* field = dynamic_cast<EditField*>(&other)) {
        Impl& to = *field->impl_;
        to.text = impl_->text;
        to.maximumCharacters = impl_->maximumCharacters;
        to.styled = impl_->styled;
        to.style = impl_->style;
        to.hasBackColor = impl_->hasBackColor;
        to.backColor = impl_->backColor;
        to.align = impl_->align;
        if (to.widget)
            to.widget->setText(detail::ToQ(to.text));
        to.ApplyLooks();
    }
}

} // namespace rt
