#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tvm {

class TApplication;

// A menu item; items with sub-items are submenus. A caption of "-" is a separator.
class TMenuItem {
public:
    explicit TMenuItem(TApplication& app, std::string caption = {});
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    TApplication& App() const { return app_; }
    const std::string& Caption() const { return caption_; }
    bool IsSeparator() const { return caption_ == "-"; }
    bool Checked = false;
    bool RadioItem = false;
    bool Enabled = true;
    bool Default = false; // shown bold; the action of a double-click
    std::string Hint;

    // Adds a sub-item and returns it.
    TMenuItem& Add(std::string caption);
    TMenuItem& AddSeparator() { return Add("-"); }
    std::size_t Count() const { return items_.size(); }
    // Removes every sub-item (a menu made anew: the displays of the desktop changed).
    void Clear() { items_.clear(); }
    TMenuItem& operator[](std::size_t index) const { return *items_[index]; }
    // The first sub-item with this caption, or null.
    TMenuItem* Find(const std::string& caption) const;

    TMenuItem* Parent() const { return parent_; }
    // Enabled, and so is every submenu above it: what the user can reach.
    bool Reachable() const;

    // The user chooses the item. Items that cannot be reached and submenus do nothing.
    void Click();
    std::function<void()> OnClick;

private:
    TApplication& app_;
    TMenuItem* parent_ = nullptr;
    std::string caption_;
    std::vector<std::unique_ptr<TMenuItem>> items_;
};

// A menu bar or pop-up menu: its top-level items.
class TMenu : public TMenuItem {
public:
    explicit TMenu(TApplication& app) : TMenuItem(app) {}
    std::function<void()> OnPopup; // runs each time a pop-up menu opens
    // The menu opens: OnPopup runs, then the platform shows the items.
    void Popup();
};

} // namespace tvm
