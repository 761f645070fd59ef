#include "ui/Retry.h"

namespace kelo {

bool RetryWhileBusy(const std::function<bool()>& attempt, const std::function<void(std::chrono::milliseconds)>& pause) {
    if (attempt()) return true;
    for (const auto wait : kBusyPauses) {
        pause(wait);
        if (attempt()) return true;
    }
    return false;
}

}  // namespace kelo
