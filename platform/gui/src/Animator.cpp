#include "gui/Animator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gui/Object.h"

namespace gui {

namespace {

unsigned char toByte(float value) {
    return static_cast<unsigned char>(std::clamp(std::lround(value), 0L, 255L));
}

unsigned char blend(unsigned char from, unsigned char to, float t) {
    return toByte(from + (to - from) * t);
}

}  // namespace

Animator::Animator(const kit::String& name, Type type, Object* target)
    : name(name), type(type), target(target) {}

void Animator::setColors(const host::Color& from, const host::Color& to) {
    colorFrom = from;
    colorTo = to;
}

void Animator::rewind() {
    time = 0.0f;
    stopTime = -1.0f;
}

void Animator::reset() {
    if (baseCaptured && target != nullptr) {
        target->setPosition(basePosition);
        target->setScale(baseScale);
        target->setAngle(baseAngle);
        target->setColor(baseColor);
    }
    baseCaptured = false;
    rewind();
}

float Animator::endTime() const {
    float end = periods > 0.0f && speed > 0.0f ? delay + periods / speed : -1.0f;
    if (stopTime >= 0.0f && (end < 0.0f || stopTime < end)) {
        end = stopTime;
    }
    return end;
}

bool Animator::isFinished() const {
    float end = endTime();
    return end >= 0.0f && time >= end;
}

bool Animator::isRunning() const {
    return enabled && time >= delay && !isFinished();
}

bool Animator::isWaiting() const {
    return enabled && time < delay && !isFinished();
}

float Animator::shape(float phase) const {
    float fraction = phase - std::floor(phase);
    switch (function) {
        case Function::Linear:
            return phase;
        case Function::Sine:
            return std::sin(2.0f * std::numbers::pi_v<float> * phase);
        case Function::Square:
            return fraction < 0.5f ? 1.0f : -1.0f;
        case Function::Saw:
            return fraction;
        case Function::Triangle:
            return fraction < 0.5f ? fraction * 2.0f : 2.0f - fraction * 2.0f;
        case Function::Custom: {
            if (values.empty()) {
                return 0.0f;
            }
            float position = fraction * static_cast<float>(values.size());
            size_t index = std::min(static_cast<size_t>(position), values.size() - 1);
            float next = values[(index + 1) % values.size()];
            return values[index] + (next - values[index]) * (position - static_cast<float>(index));
        }
    }
    return 0.0f;
}

float Animator::sample(float atTime) const {
    float end = endTime();
    if (end >= 0.0f) {
        atTime = std::min(atTime, end);
    }
    float phase = std::max(atTime - delay, 0.0f) * speed;
    // The last moment of the last period belongs to that period, not to the start of the next.
    if (periods > 0.0f && phase >= periods && function != Function::Linear) {
        phase = periods - 1e-6f;
    }
    return offset + amplitude * shape(phase);
}

void Animator::captureBase() {
    basePosition = target->getPosition();
    baseScale = target->getScale();
    baseAngle = target->getAngle();
    baseColor = target->getColor();
    baseCaptured = true;
}

void Animator::update(float timeDelta) {
    if (!enabled) {
        return;
    }
    bool wasFinished = isFinished();
    time += timeDelta;
    float end = endTime();
    if (end >= 0.0f && time > end && wasFinished) {
        return;
    }
    if (time >= delay) {
        apply();
    }
}

void Animator::apply() {
    if (target == nullptr) {
        return;
    }
    if (!baseCaptured) {
        captureBase();
    }
    float value = sample(time);
    bool onX = axis != Axis::Y;
    bool onY = axis != Axis::X;
    switch (type) {
        case Type::Mover:
            target->setPosition(onX ? basePosition.x + value : target->getX(),
                                onY ? basePosition.y + value : target->getY());
            break;
        case Type::Scaler:
            target->setScale(
                quadrix::Vector2(onX ? value : target->getScale().x, onY ? value : target->getScale().y));
            break;
        case Type::Rotator:
            target->setAngle(baseAngle + value);
            break;
        case Type::AlphaChanger:
            target->setAlpha(toByte(value));
            break;
        case Type::ColorChanger: {
            float t = std::clamp(value, 0.0f, 1.0f);
            target->setColor(host::Color(blend(colorFrom.r, colorTo.r, t), blend(colorFrom.g, colorTo.g, t),
                                         blend(colorFrom.b, colorTo.b, t), target->getAlpha()));
            break;
        }
    }
}

}  // namespace gui
