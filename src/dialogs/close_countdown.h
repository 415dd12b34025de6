#pragma once
#include <string>
#include <string_view>

namespace kv {

// A dialog that closes itself: once a second its default button counts down in parentheses
// ("Close (59)" ... "Close (1)"), and at zero it shows its plain caption and the dialog closes.
class CloseCountdown {
public:
    static constexpr int kDefaultSeconds = 60;

    explicit CloseCountdown(int seconds = kDefaultSeconds) : seconds_(seconds), remaining_(seconds) {}

    void Restart() { remaining_ = seconds_; }
    int Remaining() const { return remaining_; }

    struct Step {
        std::u16string buttonCaption;
        bool closeNow = false;
    };
    // One second has passed.
    Step Tick(std::u16string_view caption);

private:
    int seconds_;
    int remaining_;
};

}  // namespace kv
