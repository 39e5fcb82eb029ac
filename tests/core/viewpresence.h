#pragma once
// A recorded view that exists while it is switched on, as a window registers its view while it
// lives: `views.blockman = true;` registers the recorder's block manager, `= false` takes it away.
#include <functional>
#include <utility>

class ViewPresence {
public:
    ViewPresence(std::function<void()> registerViews, std::function<void()> unregisterViews)
        : register_(std::move(registerViews)), unregister_(std::move(unregisterViews))
    {
    }
    ~ViewPresence() { unregister_(); }
    ViewPresence(const ViewPresence&) = delete;

    ViewPresence& operator=(bool on)
    {
        on_ = on;
        on ? register_() : unregister_();
        return *this;
    }
    explicit operator bool() const { return on_; }

private:
    std::function<void()> register_;
    std::function<void()> unregister_;
    bool on_ = false;
};
