#pragma once
// Menus: a menu bar of named menus and items. Items are found by name anywhere in the bar.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rt {

class MenuItem {
public:
    enum class Kind {
        Menu,  // a top-level menu of the bar
        Item,  // an ordinary item, or a submenu once it has children
        Quit,  // quits the application (handled by the runtime)
        About, // the application's about item, shown in the Edit... menu where appended
    };

    MenuItem(Kind kind, std::string name);
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    Kind ItemKind() const { return kind_; }
    const std::string& Name() const { return name_; }
    // "-" is a separator; "&" marks the mnemonic letter.
    std::string Text() const;
    void SetText(const std::string& text);
    // "Cmd+R" and the like; shown and handled as Ctrl+R. Empty for none.
    std::string KeyboardShortcut() const;
    void SetKeyboardShortcut(const std::string& shortcut);
    void SetAutoEnable(bool autoEnable);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    void Enable() { SetEnabled(true); }

    // Appends an item as the last child and returns it.
    MenuItem& Append(std::unique_ptr<MenuItem> item);
    // A direct child by name, or null.
    MenuItem* Child(const std::string& name) const;
    // This item or any item below it, by name, or null.
    MenuItem* Find(const std::string& name);
    std::int32_t Count() const;
    MenuItem& Item(std::int32_t index) const;
    MenuItem* Parent() const { return parent_; }

    // Chooses the item as a user would: nothing when it or a menu above it is disabled;
    // otherwise runs the handler bound to its name (or quits, for the quit item; the standard
    // Edit items without a handler act on the focused field). True when something ran.
    bool Trigger();

    // For the runtime's strip.
    struct Impl;
    Impl& NativeImpl() const { return *impl_; }

private:
    Kind kind_;
    std::string name_;
    MenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> children_;
    std::unique_ptr<Impl> impl_;
};

class MenuBar : public MenuItem {
public:
    MenuBar();
};

} // namespace rt
