#pragma once

namespace ventrel::system {

// The scene manager's time: the step of the current frame, the time and the frames counted while a
// scene runs. A frame that sets a scene up takes no time, and neither does the one after it, so that a
// long set-up does not make the first animations jump.
class FrameClock {
public:
    // The longest step of a frame and of the pre-loading phase, in seconds.
    static constexpr float MaxStep = 0.1f;
    static constexpr float MaxLoadingStep = 0.2f;

    // The frame's wall time clamped to 0 to MaxStep.
    static float clamp(float step);

    // Starts a frame of `step` seconds; it takes no time when the last one was held.
    void begin(float step);
    // Counts the started frame and its step.
    void tick();
    // The current frame and the next one take no time.
    void hold();
    // A step set from outside: the tests' and tools' own, or the pre-loading phase's clamped one.
    void setStep(float value) { step = value; }
    void setLoadingStep(float value);

    float getStep() const { return step; }
    float getTime() const { return time; }
    int getFrameCount() const { return frameCount; }

private:
    float step = 0.0f;
    float time = 0.0f;
    int frameCount = 0;
    bool held = true;
};

}  // namespace ventrel::system
