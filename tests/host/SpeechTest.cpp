// Reading aloud through speech-dispatcher's client library, loaded at run time: a stand-in library
// records what is said; a machine without the library stays silent and says so once.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <kit/Log.h>
#include <kit/Strings.h>

#include <chrono>
#include <thread>

#include "host/SpeechDispatcher.h"

namespace {

using Spoken = const char* (*)();

kit::String waitFor(Spoken spoken, size_t lines) {
    for (int tries = 0; tries < 400; ++tries) {
        kit::String said = spoken();
        if (static_cast<size_t>(std::count(said.begin(), said.end(), '\n')) >= lines) {
            return said;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return spoken();
}

TEST(Speech, TextsAreSaidInTheirLanguageWithoutWaiting) {
    host::SpeechDispatcher speech(FAKE_SPEECHD);
    ASSERT_TRUE(speech.isAvailable());
    void* library = dlopen(FAKE_SPEECHD, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr) << "the speech library stays loaded";
    auto spoken = reinterpret_cast<Spoken>(dlsym(library, "fake_spoken"));
    ASSERT_NE(spoken, nullptr);
    speech.say("Anna, your turn.", "en", true);
    speech.say("Drink! Sips: 2.", "en", false);
    speech.say("", "en", false);
    speech.say("輪到你了。", "zh-HANT", false);
    EXPECT_EQ(waitFor(spoken, 4),
              "cancel\nen|2|Anna, your turn.\nen|2|Drink! Sips: 2.\nzh-TW|2|輪到你了。\n");
    dlclose(library);
}

TEST(Speech, AMachineWithoutTheLibraryStaysSilentAndSaysSoOnce) {
    kit::Array<kit::String> lines;
    int listener = kit::Log::addListener([&lines](kit::Log::Level, const kit::String&,
                                                  const kit::String& message) { lines.push_back(message); });
    {
        host::SpeechDispatcher speech("libspeechd-missing.so.9");
        EXPECT_FALSE(speech.isAvailable());
        speech.say("Anna, your turn.", "en", true);
        speech.say("Drink!", "de", false);
    }
    kit::Log::removeListener(listener);
    auto silent = std::count_if(lines.begin(), lines.end(), [](const kit::String& line) {
        return kit::contains(line, "nothing is read aloud");
    });
    EXPECT_EQ(silent, 1);
}

}  // namespace
