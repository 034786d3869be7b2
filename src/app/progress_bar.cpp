#include "app/progress_bar.h"

#include <algorithm>

void ProgressBar::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
}

void ProgressBar::SetPosition(std::int64_t position) {
    position_ = static_cast<int>(std::clamp<std::int64_t>(position, lower_, upper_));
}

void ProgressBar::Advance(std::int64_t delta) {
    SetPosition(static_cast<std::int64_t>(position_) + delta);
}

void ProgressBar::StepIt() {
    if (upper_ <= lower_) return;
    std::int64_t next = static_cast<std::int64_t>(position_) + step_;
    const std::int64_t span = static_cast<std::int64_t>(upper_) - lower_;
    if (next > upper_) next = lower_ + (next - lower_) % span;
    if (next < lower_) next = lower_;
    position_ = static_cast<int>(next);
}
