#pragma once

#include <kit/Types.h>
#include <serial/Serializable.h>

namespace ventrel::system {

// The base of the one object that holds a game in progress: a four-step life (set up, running,
// finished, resumed) and a play-time clock. The save manager writes and reads it.
class GameState : public serial::Serializable {
public:
    GameState() = default;
    ~GameState() override;

    kit::String _serialName() const override { return "ventrel::system::GameState"; }
    kit::Array<serial::Variable> _serialVars() override;

    // Adds the frame's time step while running and not finished.
    virtual void update();
    virtual void refresh() {}

    void clear();
    // Exchanges the whole content with another state of the same kind, so that a game read from a
    // save goes into the object everybody holds; `other` keeps the old content. False (and nothing
    // exchanged) for a state of another kind.
    bool exchange(GameState& other);
    void setup();
    void start();
    void finish();
    void resume();

    bool isLoaded() const { return loaded; }
    bool isRunning() const { return running; }
    bool isFinished() const { return finished; }
    float getTime() const { return time; }
    void setTime(float value) { time = value; }
    // "mm:ss" (minutes may exceed 59) or "hh:mm:ss".
    kit::String getTimeString(bool withHours) const;

protected:
    bool loaded = false;
    bool running = false;
    bool finished = false;
    float time = 0.0f;

    virtual void _clear();
    // Swaps the content with `other`; false, with nothing swapped, when `other` lacks what a derived
    // state holds. A derived state checks first, then calls the base.
    virtual bool _exchange(GameState& other);
    virtual void _setup() { loaded = true; }
    virtual void _start() { running = true; }
    virtual void _finish() { finished = true; }
    virtual void _resume() { finished = false; }
};

}  // namespace ventrel::system
