#pragma once

#include "kit/Types.h"

namespace host {

// Something that reads texts aloud. Saying never waits for the speech: a back-end queues the text and
// returns at once.
class Speech {
public:
    Speech() = default;
    virtual ~Speech() = default;
    Speech(const Speech&) = delete;
    Speech& operator=(const Speech&) = delete;

    // Whether anything can be heard at all (the back-end was found).
    virtual bool isAvailable() const = 0;
    // Reads `text` (plain UTF-8) in `language` ("en", "de", "zh-HANT" …). With `interrupt`, what is
    // being read and what waits are dropped first.
    virtual void say(const kit::String& text, const kit::String& language, bool interrupt) = 0;
};

}  // namespace host
