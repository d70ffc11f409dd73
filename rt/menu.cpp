#include "rt/menu.h"

#include <QAction>
#include <QMenu>
#include <stdexcept>

#include "rt/application.h"
#include "rt/menuimpl.h"
#include "rt/menustrip.h"
#include "rt/widgetinternal.h"

namespace rt {

namespace detail {

QKeySequence ShortcutSequence(const std::string& shortcut) {
    if (shortcut.empty())
        return {};
    QString text = ToQ(shortcut);
    text.replace(QStringLiteral("Cmd"), QStringLiteral("Ctrl"), Qt::CaseInsensitive);
    text.replace(QStringLiteral("Option"), QStringLiteral("Alt"), Qt::CaseInsensitive);
    return QKeySequence::fromString(text, QKeySequence::PortableText);
}

QString MenuCaption(const std::string& text) {
    return ToQ(text);
}

} // namespace detail

namespace {

void ForEachAction(const MenuItem::Impl& impl, const std::function<void(QAction&)>& apply) {
    for (const QPointer<QAction>& action : impl.actions) {
        if (action)
            apply(*action);
    }
}

} // namespace

MenuItem::MenuItem(Kind kind, std::string name)
    : kind_(kind), name_(std::move(name)), impl_(std::make_unique<Impl>()) {}

MenuItem::~MenuItem() = default;

std::string MenuItem::Text() const {
    return impl_->text;
}
void MenuItem::SetText(const std::string& text) {
    impl_->text = text;
    ForEachAction(*impl_, [&](QAction& action) { action.setText(detail::MenuCaption(text)); });
}

std::string MenuItem::KeyboardShortcut() const {
    return impl_->shortcut;
}
void MenuItem::SetKeyboardShortcut(const std::string& shortcut) {
    impl_->shortcut = shortcut;
    if (!children_.empty())
        return;
    ForEachAction(*impl_, [&](QAction& action) { action.setShortcut(detail::ShortcutSequence(shortcut)); });
}

void MenuItem::SetAutoEnable(bool autoEnable) {
    impl_->autoEnable = autoEnable;
}

bool MenuItem::Enabled() const {
    return impl_->enabled;
}
void MenuItem::SetEnabled(bool enabled) {
    impl_->enabled = enabled;
    ForEachAction(*impl_, [&](QAction& action) { action.setEnabled(enabled); });
}

MenuItem& MenuItem::Append(std::unique_ptr<MenuItem> item) {
    if (!item)
        throw std::invalid_argument("no menu item to append");
    item->parent_ = this;
    children_.push_back(std::move(item));
    return *children_.back();
}

MenuItem* MenuItem::Child(const std::string& name) const {
    for (const auto& child : children_) {
        if (child->name_ == name)
            return child.get();
    }
    return nullptr;
}

MenuItem* MenuItem::Find(const std::string& name) {
    if (name_ == name)
        return this;
    for (const auto& child : children_) {
        if (MenuItem* found = child->Find(name))
            return found;
    }
    return nullptr;
}

std::int32_t MenuItem::Count() const {
    return static_cast<std::int32_t>(children_.size());
}

MenuItem& MenuItem::Item(std::int32_t index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("no menu item with that index");
    return *children_[static_cast<std::size_t>(index)];
}

bool MenuItem::Trigger() {
    for (const MenuItem* item = this; item != nullptr; item = item->parent_) {
        if (!item->Enabled())
            return false;
    }
    Application* application = Application::Current();
    if (kind_ == Kind::Quit) {
        if (application == nullptr)
            return false;
        application->Quit();
        return true;
    }
    if (application != nullptr) {
        if (std::function<bool()> handler = application->MenuHandler(name_)) {
            detail::HandlerScope scope;
            handler();
            return true;
        }
    }
    return detail::StandardEdit(name_, impl_->shortcut);
}

MenuBar::MenuBar() : MenuItem(Kind::Menu, "") {}

} // namespace rt
