#pragma once

#include <kit/Types.h>

namespace ventrel::system {

// What lives only while the program runs and is never saved.
class TempState {
public:
    TempState() = default;
    virtual ~TempState() = default;

    virtual void setup();
    virtual void clear();
    virtual void update() {}
    virtual void refresh() {}

    float getTime() const { return time; }
    float getLoadingProgress() const { return loadingProgress; }
    void setLoadingProgress(float value) { loadingProgress = value; }
    const kit::String& getNextFocusIndex() const { return nextFocusIndex; }
    void setNextFocusIndex(const kit::String& value) { nextFocusIndex = value; }

protected:
    float time = 0.0f;
    float loadingProgress = 0.0f;
    kit::String nextFocusIndex = "0";
};

}  // namespace ventrel::system
