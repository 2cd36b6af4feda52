#include "System/Voice.h"

#include <fonts/Markup.h>
#include <gui/Gui.h>
#include <kit/Strings.h>

#include "System/Globals.h"

namespace System {

Voice* voice = nullptr;

Voice::Voice(std::unique_ptr<host::Speech> backEnd) : backEnd(std::move(backEnd)) {}

bool Voice::isWanted() {
    return kit::toBool(profile().get("ReadAloud"));
}

void Voice::sayTurn(const kit::String& turnText, const kit::String& name) {
    kit::String text = turnText;
    size_t slot = text.find("%s");
    kit::String shownName = kit::escapeText(name);
    if (slot == kit::String::npos) {
        text = shownName + ". " + text;
    } else {
        text.replace(slot, 2, shownName);
    }
    _say(text, true);
}

void Voice::say(const kit::String& shownText) {
    _say(shownText, false);
}

void Voice::_say(const kit::String& shownText, bool interrupt) {
    if (!backEnd || !isWanted()) {
        return;
    }
    kit::String plain = kit::trim(fonts::Markup::plainText(shownText));
    if (!plain.empty()) {
        backEnd->say(plain, gui::getLocalization(), interrupt);
    }
}

}  // namespace System
