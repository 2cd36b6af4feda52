#include <System/StoredText.h>
#include <kit/Strings.h>

#include <cstddef>
#include <cstdint>

// The custom-card and hall-of-fame lines of a profile. Any stored line splits without harm, and a
// record the game writes splits back into exactly what was written.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kit::String line(reinterpret_cast<const char*>(data), size);
    for (size_t maxParts = 0; maxParts <= 4; ++maxParts) {
        if (System::splitStoredRecord(line, maxParts).size() > maxParts) {
            __builtin_trap();
        }
    }

    // Reuse the input as a record: its first word as the picture or character, the rest as the text.
    kit::Array<kit::String> parts = System::splitStoredRecord(line, 2);
    kit::String word = parts.empty() ? "" : System::storableText(parts[0]);
    if (parts.size() != 2 || word.find(' ') != kit::String::npos) {
        return 0;
    }
    int number = kit::toInt(parts[0].substr(0, 6));
    kit::String stored = System::formatStoredRecord(number, word, parts[1]);
    kit::Array<kit::String> back = System::splitStoredRecord(stored, 3);
    // Runs of spaces separate the parts, so the text comes back without leading spaces.
    kit::String text = System::storableText(parts[1]);
    size_t start = text.find_first_not_of(' ');
    kit::Array<kit::String> expected{kit::toString(number), word};
    if (start != kit::String::npos) {
        expected.push_back(text.substr(start));
    }
    if (back != expected) {
        __builtin_trap();
    }
    return 0;
}
