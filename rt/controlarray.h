#pragma once
// A control array: members share their handlers, which receive the member number.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

#include "rt/control.h"

namespace rt {

template <class T> class ControlArray {
public:
    // Called for every member as it is added (fixed or at run time): binds the member's events,
    // usually to the window's handler with member.Index().
    std::function<void(T& member)> BindHandlers;

    // A member with a fixed number, created by the window's CreateControls (then call Create).
    T& Add(std::int32_t index) {
        auto member = std::make_unique<T>();
        member->index_ = index;
        T& added = *member;
        members_[index] = std::move(member);
        if (BindHandlers)
            BindHandlers(added);
        return added;
    }

    // A member created at run time: a copy of member 0's settings and place, in the same window,
    // numbered one above the highest number so far.
    T& AddCopy() {
        T& templ = (*this)(0);
        const std::int32_t index = members_.rbegin()->first + 1;
        T& added = Add(index);
        static_cast<const Control&>(templ).CopySettingsTo(added);
        if (templ.ParentWindow() != nullptr)
            added.Create(*templ.ParentWindow(), templ.Left(), templ.Top(), templ.Width(), templ.Height());
        return added;
    }

    bool Has(std::int32_t index) const { return members_.count(index) != 0; }
    // Throws std::out_of_range for a number that has no member.
    T& operator()(std::int32_t index) {
        auto found = members_.find(index);
        if (found == members_.end())
            throw std::out_of_range("no control array member with that number");
        return *found->second;
    }

private:
    std::map<std::int32_t, std::unique_ptr<T>> members_;
};

} // namespace rt
