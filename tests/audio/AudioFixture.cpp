#include "AudioFixture.h"

#include <cmath>
#include <cstdint>
#include <fstream>

#include <unistd.h>

#include "kit/Dir.h"
#include "kit/Log.h"
#include "kit/ResourceDir.h"
#include "kit/Strings.h"

namespace {

void put16(std::ofstream& out, uint16_t value) {
    out.put(static_cast<char>(value & 0xff)).put(static_cast<char>(value >> 8));
}

void put32(std::ofstream& out, uint32_t value) {
    put16(out, static_cast<uint16_t>(value & 0xffff));
    put16(out, static_cast<uint16_t>(value >> 16));
}

}  // namespace

void AudioFixture::writeWav(const kit::String& path, float seconds) {
    const uint32_t rate = 22050;
    const auto frames = static_cast<uint32_t>(seconds * rate);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    put32(out, 36 + frames * 2);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, rate);
    put32(out, rate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, frames * 2);
    for (uint32_t i = 0; i < frames; ++i) {
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(2000 * std::sin(i * 0.05))));
    }
}

void AudioFixture::SetUp() {
    root = kit::Dir::joinPath(kit::Dir::getTemporaryPath(),
                              "swiggard-audio-" + kit::toString(static_cast<int>(::getpid())));
    kit::String sound = kit::Dir::joinPath(root, "data/audio/sound");
    kit::String music = kit::Dir::joinPath(root, "data/audio/music");
    ASSERT_TRUE(kit::Dir::create(sound));
    ASSERT_TRUE(kit::Dir::create(music));
    writeWav(sound + "/click.wav", 0.05f);
    writeWav(sound + "/long.wav", 3.0f);
    writeWav(sound + "/first to finish lap.wav", 1.0f);
    std::ofstream(sound + "/readme.txt") << "not a sound";
    for (const char* track : {"track a", "track b", "track c"}) {
        writeWav(music + "/" + track + ".wav", 3.0f);
    }
    kit::ResourceDir::setRoot(root);
    listener =
        kit::Log::addListener([this](kit::Log::Level level, const kit::String& tag, const kit::String& text) {
            if (level == kit::Log::Level::Warn && tag == "audio") {
                warnings.push_back(text);
            }
        });
}

void AudioFixture::TearDown() {
    audio::destroy();
    kit::Log::removeListener(listener);
    kit::ResourceDir::setRoot("");
    kit::Dir::remove(root);
}

void AudioFixture::start(bool threaded) {
    ASSERT_TRUE(audio::init(audio::System::Default, nullptr, threaded, 0.01f, ""));
    ASSERT_NE(audio::manager, nullptr);
    audio::manager->createCategory("music", audio::BufferMode::Stream, audio::SourceMode::Shared);
    audio::manager->createCategory("sound", audio::BufferMode::Memory, audio::SourceMode::Shared);
    ASSERT_EQ(audio::manager->createSoundsFromFolder("data/audio/music", "music"), 3);
    ASSERT_EQ(audio::manager->createSoundsFromFolder("data/audio/sound", "sound"), 3);
}

int AudioFixture::countWarnings(const kit::String& part) const {
    int count = 0;
    for (const kit::String& text : warnings) {
        count += kit::contains(text, part) ? 1 : 0;
    }
    return count;
}
