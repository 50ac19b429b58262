#include "editing/Pace.h"

bool Pace::stepDue() {
    if (paused_ || ++framesWaited_ < framesPerStep_) return false;
    framesWaited_ = 0;
    if (framesPerStep_ > 1) ++steps_;
    return true;
}

void Pace::togglePause() {
    paused_ = !paused_;
    if (paused_) steps_ = 0;
}

// A new pace counts its frames from now.
void Pace::slower() {
    if (framesPerStep_ == 1 && !paused_) steps_ = 0;
    if (framesPerStep_ < SLOWEST) framesPerStep_ *= 2;
    framesWaited_ = 0;
}

void Pace::faster() {
    if (framesPerStep_ > 1) framesPerStep_ /= 2;
    framesWaited_ = 0;
}

std::string Pace::label() const {
    if (!paused_ && framesPerStep_ == 1) return "";
    const std::string pace = paused_ ? "paused" : "1/" + std::to_string(framesPerStep_) + " speed";
    return pace + ", " + std::to_string(steps_) + (steps_ == 1 ? " step" : " steps");
}
