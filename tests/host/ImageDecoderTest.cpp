#include "ImageDecoder.h"

#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "kit/Dir.h"
#include "kit/File.h"
#include "kit/Format.h"

namespace {

using host::ImageDecoder;

// Pictures of 1 × 1 up to 5 × 5 pixels, a file that is no picture and a missing one, in a temporary
// folder.
class ImageDecoderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = kit::Dir::joinPath(kit::Dir::getTemporaryPath(), kit::format("decoder_%d", int(getpid())));
        ASSERT_TRUE(kit::Dir::create(root));
        for (int size = 1; size <= 5; ++size) {
            SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_BGRA32);
            ASSERT_EQ(IMG_SavePNG(surface, path(size).c_str()), 0);
            SDL_FreeSurface(surface);
        }
        kit::File::write(root + "/broken.png", kit::String("not a picture"));
    }
    void TearDown() override { kit::Dir::remove(root); }

    kit::String path(int size) const { return kit::format("%s/%d.png", root.c_str(), size); }

    // Takes results until `count` came back; the worker decodes a few tiny files.
    static kit::Array<ImageDecoder::Result> collect(ImageDecoder& decoder, size_t count) {
        kit::Array<ImageDecoder::Result> results;
        for (int tries = 0; results.size() < count && tries < 20000; ++tries) {
            if (auto result = decoder.takeNext()) {
                results.push_back(*result);
            } else {
                SDL_Delay(1);
            }
        }
        return results;
    }

    kit::String root;
};

TEST_F(ImageDecoderTest, EveryQueuedFileComesBackDecodedOrAsAFailure) {
    ImageDecoder decoder;
    for (int size = 1; size <= 5; ++size) {
        decoder.queue(uint64_t(size), path(size));
    }
    decoder.queue(6, root + "/broken.png");
    decoder.queue(7, root + "/missing.png");
    kit::Array<ImageDecoder::Result> results = collect(decoder, 7);
    ASSERT_EQ(results.size(), 7u);
    std::set<uint64_t> serials;
    for (const ImageDecoder::Result& result : results) {
        serials.insert(result.serial);
        if (result.serial <= 5) {
            ASSERT_NE(result.surface, nullptr) << result.serial;
            EXPECT_EQ(result.surface->w, int(result.serial));
            EXPECT_EQ(result.surface->format->format, SDL_PIXELFORMAT_RGBA32);
        } else {
            EXPECT_EQ(result.surface, nullptr) << result.serial;
        }
        SDL_FreeSurface(result.surface);
    }
    EXPECT_EQ(serials.size(), 7u);
    EXPECT_FALSE(decoder.takeNext());
}

// One worker decodes in queue order: once the last job came back, all before it have too.
TEST_F(ImageDecoderTest, UrgentResultsAndCancelledOnesAreTakenApart) {
    ImageDecoder decoder;
    for (int size = 1; size <= 4; ++size) {
        decoder.queue(uint64_t(size), path(size));
    }
    std::deque<ImageDecoder::Result> last;
    for (int tries = 0; last.empty() && tries < 20000; ++tries) {
        last = decoder.takeUrgent([](uint64_t serial) { return serial == 4; });
        SDL_Delay(last.empty() ? 1 : 0);
    }
    ASSERT_EQ(last.size(), 1u);
    SDL_FreeSurface(last.front().surface);

    SDL_Surface* cancelled = decoder.cancel(2);
    ASSERT_NE(cancelled, nullptr);
    EXPECT_EQ(cancelled->w, 2);
    SDL_FreeSurface(cancelled);
    EXPECT_EQ(decoder.cancel(2), nullptr);

    std::deque<ImageDecoder::Result> urgent = decoder.takeUrgent([](uint64_t serial) { return serial >= 3; });
    ASSERT_EQ(urgent.size(), 1u);
    EXPECT_EQ(urgent.front().serial, 3u);
    SDL_FreeSurface(urgent.front().surface);
    std::optional<ImageDecoder::Result> first = decoder.takeNext();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->serial, 1u);
    SDL_FreeSurface(first->surface);
    EXPECT_FALSE(decoder.takeNext());
}

// Stopping drops the queue and frees what came back untaken; the sanitizer build sees a leak.
TEST_F(ImageDecoderTest, StoppingDropsTheQueueAndALaterJobStartsTheWorkerAgain) {
    ImageDecoder decoder;
    for (int round = 0; round < 20; ++round) {
        for (int size = 1; size <= 5; ++size) {
            decoder.queue(uint64_t(size), path(size));
        }
    }
    decoder.stop();
    decoder.queue(9, path(4));
    kit::Array<ImageDecoder::Result> results = collect(decoder, 1);
    // Nothing of the first queue came back after the stop.
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results.front().serial, 9u);
    SDL_FreeSurface(results.front().surface);
    decoder.queue(10, path(5));
}

}  // namespace
