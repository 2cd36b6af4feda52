#pragma once

#include <gtest/gtest.h>

#include "audio/Audio.h"
#include "audio/Manager.h"
#include "kit/Types.h"

// A data root in a temporary folder with tiny generated sounds, and a started audio layer:
// sounds "click" (0.05 s), "long" (3 s) and "first to finish lap" (1 s) in category "sound";
// music "track a", "track b", "track c" (3 s each) in category "music".
class AudioFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a 16-bit mono RIFF/WAVE file of a quiet tone.
    static void writeWav(const kit::String& path, float seconds);
    void start(bool threaded);
    // Warnings of the "audio" log tag written since SetUp.
    int countWarnings(const kit::String& part) const;

    kit::String root;
    kit::Array<kit::String> warnings;
    int listener = 0;
};
