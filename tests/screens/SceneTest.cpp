#include <audio/Audio.h>
#include <audio/Manager.h>
#include <gui/Animator.h>
#include <gui/ImageBox.h>
#include <kit/Dir.h>
#include <kit/File.h>
#include <kit/ResourceDir.h>
#include <ventrel/scene/AnimationSequence.h>
#include <ventrel/scene/Logos.h>
#include <ventrel/system/Input.h>

#include <cmath>

#include "ScreensFixture.h"

namespace screenstest {
namespace {

class TestLogos : public ventrel::scene::Logos {
public:
    explicit TestLogos(const kit::String& folder) : Logos("scene/empty", ""), folder(folder) {
        excludedNames = {"draft"};
    }
    int finishes = 0;
    float getTime() const { return time; }
    // The logo shown now and its box, or "" when no box shows one.
    kit::String shownBox() const {
        for (const char* name : {"image_stretch", "image_zoom", "image"}) {
            if (static_cast<gui::ImageBox*>(getObject(name))->getImage()) {
                return name;
            }
        }
        return "";
    }
    kit::String shownLogo() const {
        kit::String box = shownBox();
        return box.empty() ? "" : static_cast<gui::ImageBox*>(getObject(box))->getImage()->getName();
    }
    int alpha() const { return getObject("image")->getColor().a; }

protected:
    kit::String folder;
    kit::String _getLogoPath() override { return "data/screens_tests/" + folder; }
    void _finishLogos() override { ++finishes; }
    std::unique_ptr<Base> _createNew() override { return std::make_unique<TestLogos>(folder); }
};

class LogosTest : public ScreensFixture {
protected:
    TestLogos* start(const kit::String& folder = "logos") {
        return startScene<TestLogos>([folder] { return std::make_unique<TestLogos>(folder); });
    }
    void stepToTime(TestLogos* logos, float time) {
        ASSERT_TRUE(stepUntil([&] { return logos->getTime() >= time - 0.001f; }, 400));
    }
};

TEST_F(LogosTest, LeftAndRightHalvesMakeOneLogoBesideThePlainOne) {
    TestLogos* logos = start();
    ASSERT_EQ(logos->getLogos().size(), 2u);
    gui::BaseImage* pair = logos->getLogos()[0];
    gui::BaseImage* plain = logos->getLogos()[1];
    EXPECT_EQ(pair->getName(), "pair");
    // Each half shows 8/9 of its picture's width, the right half's width sizing both.
    EXPECT_FLOAT_EQ(pair->getWidth(), 800.0f);
    EXPECT_FLOAT_EQ(pair->getHeight(), 300.0f);
    EXPECT_EQ(plain->getName(), "plain");
    EXPECT_FLOAT_EQ(plain->getWidth(), 320.0f);
    EXPECT_FLOAT_EQ(plain->getHeight(), 101.0f);
    EXPECT_EQ(logos->shownBox(), "image");
    EXPECT_FALSE(logos->getDataset()->hasImage("skipped_draft"));
}

TEST_F(LogosTest, HalvesWithoutTheirPartnerAreReported) {
    LogLines log;
    TestLogos* logos = start("logos_unpaired");
    EXPECT_EQ(log.count(kit::Log::Level::Error, "Cannot use new left image 'b_l', one already exists!"), 1);
    EXPECT_EQ(log.count(kit::Log::Level::Error, "Right image 'd_r' does not have a left image, ignored!"), 1);
    ASSERT_EQ(logos->getLogos().size(), 1u);
    EXPECT_EQ(logos->getLogos()[0]->getName(), "c");
}

TEST_F(LogosTest, EachLogoFadesInStaysAndFadesOut) {
    TestLogos* logos = start();
    stepToTime(logos, 0.25f);
    EXPECT_NEAR(logos->alpha(), 127, 4);
    EXPECT_EQ(logos->shownLogo(), "pair");
    stepToTime(logos, 2.0f);
    EXPECT_EQ(logos->alpha(), 255);
    stepToTime(logos, 3.75f);
    EXPECT_NEAR(logos->alpha(), 127, 4);
    stepToTime(logos, 4.1f);
    EXPECT_EQ(logos->shownLogo(), "plain");
    EXPECT_EQ(logos->finishes, 0);
    stepToTime(logos, 8.05f);
    EXPECT_GE(logos->finishes, 1);
}

TEST_F(LogosTest, ClickFadesOutForAsLongAsTheLogoFadedIn) {
    TestLogos* logos = start();
    stepToTime(logos, 1.0f);
    driver->click(quadrix::Vector2(10, 10));
    step(1);
    EXPECT_NEAR(logos->getTime(), 3.5f, 0.01f);
    step(9);
    EXPECT_EQ(logos->shownLogo(), "pair");
    step(2);
    EXPECT_EQ(logos->shownLogo(), "plain");

    // 0.2 s into the second logo (the key is read in the next frame): out over 0.2 s.
    stepToTime(logos, 4.15f);
    driver->pressKey(host::Key::Enter);
    step(1);
    EXPECT_NEAR(logos->getTime(), 7.8f, 0.01f);
    EXPECT_NEAR(logos->alpha(), 102, 4);
}

TEST_F(LogosTest, ClickWhileFadingOutChangesNothing) {
    TestLogos* logos = start();
    stepToTime(logos, 3.6f);
    float before = logos->getTime();
    driver->pressKey(host::Key::Escape);
    step(1);
    EXPECT_NEAR(logos->getTime(), before + Step, 0.001f);
}

class TestAnimation : public ventrel::scene::Animation {
public:
    explicit TestAnimation(const kit::String& name) : Animation(name, "") {}
    int finalizedAtUpdate = -1;
    float getTime() const { return time; }
    void addCue(float at, const kit::String& sound) { soundCues[at] = sound; }

protected:
    void _finalize() override {
        Animation::_finalize();
        finalizedAtUpdate = updateCount;
    }
    std::unique_ptr<Base> _createNew() override { return std::make_unique<TestAnimation>(rootName); }
};

using AnimationTest = ScreensFixture;

TEST_F(AnimationTest, NothingToAnimateFinalizesOnTheFirstUpdate) {
    TestAnimation* scene =
        startScene<TestAnimation>([] { return std::make_unique<TestAnimation>("scene/empty"); }, false);
    ASSERT_TRUE(stepUntil([&] { return scene->isFinalized(); }));
    EXPECT_EQ(scene->finalizedAtUpdate, 1);
    step(2);
    EXPECT_FALSE(scene->isInputAllowed());
}

TEST_F(AnimationTest, EscapeSkipsARunningAnimation) {
    TestAnimation* scene =
        startScene<TestAnimation>([] { return std::make_unique<TestAnimation>("scene/animated"); });
    step(5);
    EXPECT_FALSE(scene->isFinalized());
    driver->pressKey(host::Key::Escape);
    step(1);
    EXPECT_TRUE(scene->isFinalized());
    EXPECT_TRUE(scene->isAnimated());
}

// Three seconds of a quiet tone as an 8-bit mono WAV.
void writeTone(const kit::String& path) {
    const int rate = 8000;
    const int samples = rate * 3;
    kit::String bytes = "RIFF";
    auto put32 = [&](uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    auto put16 = [&](uint16_t value) {
        bytes.push_back(static_cast<char>(value & 0xFF));
        bytes.push_back(static_cast<char>(value >> 8));
    };
    put32(36 + samples);
    bytes += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate);
    put16(1);
    put16(8);
    bytes += "data";
    put32(samples);
    for (int i = 0; i < samples; ++i) {
        bytes.push_back(static_cast<char>(128 + static_cast<int>(20 * std::sin(i * 0.1))));
    }
    ASSERT_TRUE(kit::File::write(path, bytes));
}

TEST_F(AnimationTest, SoundCuePlaysOnceWhenItsTimeIsReached) {
    kit::String folder = "data/screens_tests/sound";
    kit::Dir::create(kit::ResourceDir::getPath(folder));
    writeTone(kit::ResourceDir::getPath(folder + "/cue.wav"));
    ASSERT_TRUE(audio::init(audio::System::Default, nullptr, false, 0.01f, ""));
    audio::manager->createCategory("sound", audio::BufferMode::Memory, audio::SourceMode::Shared);
    ASSERT_EQ(audio::manager->createSoundsFromFolder(folder, "sound"), 1);

    TestAnimation* scene = startScene<TestAnimation>([] {
        auto animation = std::make_unique<TestAnimation>("scene/animated");
        animation->addCue(2.0f, "cue");
        return animation;
    });
    while (scene->getTime() < 2.0f) {
        EXPECT_FALSE(audio::manager->isAnyPlaying("cue")) << scene->getTime();
        step(1);
    }
    EXPECT_TRUE(audio::manager->isAnyPlaying("cue"));
    audio::manager->stopFirst("cue", 0.0f);
    EXPECT_FALSE(audio::manager->isAnyPlaying("cue"));  // one instance only
    for (int frame = 0; frame < 20; ++frame) {
        step(1);
        EXPECT_FALSE(audio::manager->isAnyPlaying("cue")) << scene->getTime();
    }
    audio::destroy();
}

class TestSequence : public ventrel::scene::AnimationSequence {
public:
    TestSequence() : AnimationSequence("scene/sequence", "") {
        stepCount = 2;
        startAnimatorPrefix = "start_";
        endAnimatorPrefix = "end_";
        nextObjectName = "button_next";
        skipAnimatorName = "skip";
    }
    float getTime() const { return time; }
    const kit::Array<float>& getStepStartTimes() const { return stepStartTimes; }
    const kit::Array<float>& getStepEndTimes() const { return stepEndTimes; }

protected:
    std::unique_ptr<Base> _createNew() override { return std::make_unique<TestSequence>(); }
};

TEST_F(AnimationTest, SequenceWaitsInStepsJumpsToTheNextAndSkipsFromTheLast) {
    TestSequence* scene = startScene<TestSequence>([] { return std::make_unique<TestSequence>(); }, false);
    EXPECT_EQ(scene->getStepStartTimes(), (kit::Array<float>{0.0f, 3.0f, 6.0f}));
    EXPECT_EQ(scene->getStepEndTimes(), (kit::Array<float>{1.0f, 4.0f, 7.0f}));
    step(5);
    EXPECT_FALSE(scene->isInputAllowed());  // inside the first step
    ASSERT_TRUE(stepUntil([&] { return scene->getTime() >= 1.5f; }));
    EXPECT_TRUE(scene->isInputAllowed());

    float pressedAt = scene->getTime() + Step;  // the key is read in the next frame
    driver->pressKey(host::Key::Enter);
    step(1);
    EXPECT_NEAR(scene->getTime(), 3.0f, 0.001f);
    EXPECT_NEAR(scene->getAnimator("start_2")->getDelay(), 6.0f - (3.0f - pressedAt), 0.001f);
    EXPECT_FALSE(scene->isFinalized());

    ASSERT_TRUE(stepUntil([&] { return scene->isInputAllowed(); }));
    EXPECT_GE(scene->getTime(), 4.0f);
    driver->pressKey(host::Key::Enter);  // in the last step: skip to the end
    step(1);
    EXPECT_FALSE(scene->getAnimator("start_2")->isEnabled());
    EXPECT_TRUE(scene->getAnimator("skip")->isEnabled());
    EXPECT_EQ(scene->getAnimator("skip")->getDelay(), 0.0f);
    ASSERT_TRUE(stepUntil([&] { return scene->isFinalized(); }));
}

}  // namespace
}  // namespace screenstest
