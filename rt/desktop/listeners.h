#pragma once
// Those listening for news of one kind, each under a key for its leaving. A listener may listen or
// leave while the news is told; one that leaves then hears no more of it.

#include <functional>
#include <map>
#include <vector>

namespace rt::detail {

template <class... News> class Listeners {
public:
    using Listener = std::function<void(News...)>;

    int Add(Listener listener) {
        listeners_.emplace(nextKey_, std::move(listener));
        return nextKey_++;
    }
    void Remove(int key) { listeners_.erase(key); }

    // Tells those listening as it begins.
    void Tell(News... news) {
        std::vector<int> keys;
        for (const auto& [key, listener] : listeners_)
            keys.push_back(key);
        for (const int key : keys) {
            const auto found = listeners_.find(key);
            if (found != listeners_.end()) {
                const Listener listener = found->second;
                listener(news...);
            }
        }
    }

private:
    std::map<int, Listener> listeners_;
    int nextKey_ = 0;
};

} // namespace rt::detail
