#pragma once

#include <kit/Types.h>

namespace enginetest {

// A fresh temporary XDG_DATA_HOME for the per-user folder; removed with everything in it.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;
    const kit::String& getPath() const { return path; }

private:
    kit::String path;
    kit::String previous;
    bool hadPrevious = false;
};

}  // namespace enginetest
