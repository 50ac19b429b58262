#pragma once

#include <string>

// How fast the circuit runs: a step every frame, a step every 2 to 64
// frames, or paused, to be stepped by hand. A step is what a running frame
// does to the circuit: the blink, the evaluation of every chip and the
// transfer along every wire.
class Pace {
public:
    static constexpr int SLOWEST = 64;  // frames a step: about one a second

    // Called once a frame: whether this frame runs a step.
    bool stepDue();
    // A step run by hand while paused.
    void stepTaken() { ++steps_; }

    // Pausing starts the count of steps anew; so does slowing from full speed.
    void togglePause();
    void slower();
    void faster();

    bool isPaused() const { return paused_; }
    int framesPerStep() const { return framesPerStep_; }
    // What the label near the top bar says: "paused" or "1/8 speed", with the
    // steps since; nothing at full speed and running.
    std::string label() const;

private:
    bool paused_ = false;
    int framesPerStep_ = 1;
    int framesWaited_ = 0;
    int steps_ = 0;
};
