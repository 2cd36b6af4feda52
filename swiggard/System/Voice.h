#pragma once

#include <host/Speech.h>
#include <kit/Types.h>

#include <memory>

namespace System {

// The optional voice: with the setting "Read aloud" on, it reads whose turn it is and the landing
// card's text in the game's language. It never waits for the speech.
class Voice {
public:
    explicit Voice(std::unique_ptr<host::Speech> backEnd);

    // Tests put a recording back-end in place.
    void setBackEnd(std::unique_ptr<host::Speech> value) { backEnd = std::move(value); }
    // The setting, off by default.
    static bool isWanted();

    // "Anna, your turn." with the name as typed; drops what was still being read.
    void sayTurn(const kit::String& turnText, const kit::String& name);
    // A text as a label shows it: mark-up dropped, escapes resolved.
    void say(const kit::String& shownText);

private:
    std::unique_ptr<host::Speech> backEnd;

    void _say(const kit::String& shownText, bool interrupt);
};

// Made when the game starts; null before and after.
extern Voice* voice;

}  // namespace System
