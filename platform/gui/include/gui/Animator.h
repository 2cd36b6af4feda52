#pragma once

#include "host/Color.h"
#include "kit/Types.h"
#include "quadrix/Vector2.h"

namespace gui {

class Object;

// A property of an object driven by a function of time, declared in a data-set file. With
// p = (time - delay) x speed (periods), the value is offset + amplitude x f(p), where f is
//   Linear: p;  Sine: sin(2 pi p);  Square: 1 for the first half of a period, -1 for the second;
//   Saw: the fraction of p (0..1);  Triangle: 0 -> 1 -> 0 over a period;
//   Custom: the value table, linearly interpolated over one period (the last entry joins the first).
// A mover adds the value to the position the object had when the animator started, a rotator to its
// angle; a scaler sets the scale, an alpha changer the alpha (0..255), and a colour changer blends
// the colour from `colorFrom` (value 0) to `colorTo` (value 1). Nothing happens before the delay.
// With periods > 0 the animator ends after that many periods; a stop time ends it earlier.
class Animator {
public:
    enum class Type { Mover, Scaler, Rotator, AlphaChanger, ColorChanger };
    enum class Function { Linear, Sine, Square, Saw, Triangle, Custom };
    enum class Axis { X, Y, Both };

    Animator(const kit::String& name, Type type, Object* target);

    const kit::String& getName() const { return name; }
    Type getType() const { return type; }
    Object* getTarget() const { return target; }

    Function getFunction() const { return function; }
    void setFunction(Function function) { this->function = function; }
    Axis getAxis() const { return axis; }
    void setAxis(Axis axis) { this->axis = axis; }
    float getAmplitude() const { return amplitude; }
    void setAmplitude(float amplitude) { this->amplitude = amplitude; }
    float getOffset() const { return offset; }
    void setOffset(float offset) { this->offset = offset; }
    float getSpeed() const { return speed; }
    void setSpeed(float speed) { this->speed = speed; }
    float getPeriods() const { return periods; }
    void setPeriods(float periods) { this->periods = periods; }
    float getDelay() const { return delay; }
    void setDelay(float delay) { this->delay = delay; }
    bool isEnabled() const { return enabled; }
    void setEnabled(bool enabled) { this->enabled = enabled; }
    float getTime() const { return time; }
    void setTime(float time) { this->time = time; }
    // Negative: no stop time.
    float getStopTime() const { return stopTime; }
    void setStopTime(float stopTime) { this->stopTime = stopTime; }
    const kit::Array<float>& getValues() const { return values; }
    void setValues(const kit::Array<float>& values) { this->values = values; }
    void setColors(const host::Color& from, const host::Color& to);

    // Time 0, no stop time; the object's starting values are taken again when it next starts.
    void rewind();
    // Rewinds and puts the object back to the values it had when the animator started.
    void reset();
    // Advances the time (while enabled) and applies the value to the object.
    void update(float timeDelta);
    // The function's value at a time.
    float sample(float atTime) const;

    // Enabled, past its delay and not ended.
    bool isRunning() const;
    // Enabled and still waiting for its delay.
    bool isWaiting() const;
    bool isFinished() const;

private:
    float shape(float phase) const;
    float endTime() const;
    void apply();
    void captureBase();

    kit::String name;
    Type type;
    Object* target;
    Function function = Function::Linear;
    Axis axis = Axis::Both;
    float amplitude = 1.0f;
    float offset = 0.0f;
    float speed = 1.0f;
    float periods = 0.0f;
    float delay = 0.0f;
    bool enabled = true;
    float time = 0.0f;
    float stopTime = -1.0f;
    kit::Array<float> values;
    host::Color colorFrom;
    host::Color colorTo;
    bool baseCaptured = false;
    quadrix::Vector2 basePosition;
    quadrix::Vector2 baseScale;
    float baseAngle = 0.0f;
    host::Color baseColor;
};

}  // namespace gui
