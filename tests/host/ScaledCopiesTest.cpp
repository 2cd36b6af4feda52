#include "ScaledCopies.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A software renderer drawing into a surface of its own, and an 8 x 6 picture whose every texel
// differs in colour and alpha, so that any change in the scaling shows.
class ScaledCopiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(0), 0);
        surface = SDL_CreateRGBSurfaceWithFormat(0, 120, 90, 32, SDL_PIXELFORMAT_ARGB8888);
        ASSERT_NE(surface, nullptr);
        renderer = SDL_CreateSoftwareRenderer(surface);
        ASSERT_NE(renderer, nullptr);
        std::vector<Uint32> texels;
        for (int i = 0; i < 8 * 6; ++i) {
            texels.push_back(Uint32(40 + i * 4) << 24 | Uint32(i * 5) << 16 | Uint32(255 - i * 3) << 8 |
                             Uint32(i * 2));
        }
        picture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 8, 6);
        ASSERT_NE(picture, nullptr);
        ASSERT_EQ(SDL_UpdateTexture(picture, nullptr, texels.data(), 8 * 4), 0);
        SDL_SetTextureBlendMode(picture, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(picture, SDL_ScaleModeLinear);
    }
    void TearDown() override {
        copies.clear();
        SDL_DestroyTexture(picture);
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(surface);
        SDL_Quit();
    }

    // The frame's pixels after drawing the picture's right part, tinted, at 50 x 37 pixels on grey.
    std::vector<Uint8> draw(SDL_Texture* texture, const SDL_Rect& source) {
        SDL_SetRenderDrawColor(renderer, 90, 90, 90, 255);
        SDL_RenderClear(renderer);
        SDL_SetTextureColorMod(texture, 250, 200, 150);
        SDL_SetTextureAlphaMod(texture, 200);
        const SDL_Rect target{7, 9, 50, 37};
        SDL_RenderCopy(renderer, texture, &source, &target);
        SDL_RenderFlush(renderer);
        const auto* bytes = static_cast<const Uint8*>(surface->pixels);
        return std::vector<Uint8>(bytes, bytes + surface->pitch * surface->h);
    }
    SDL_Texture* get() { return copies.get(renderer, picture, part, 50, 37); }

    SDL_Surface* surface = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* picture = nullptr;
    const SDL_Rect part{2, 0, 6, 6};
    host::ScaledCopies copies;
};

}  // namespace

TEST_F(ScaledCopiesTest, ACopyDrawsTheSamePixelsAsScalingAtEveryDraw) {
    std::vector<Uint8> scaled = draw(picture, part);
    EXPECT_EQ(get(), nullptr) << "once is no animation";
    copies.shownFrame();
    SDL_Texture* copy = get();
    ASSERT_NE(copy, nullptr);
    const SDL_Rect whole{0, 0, 50, 37};
    EXPECT_TRUE(draw(copy, whole) == scaled);
    // The picture keeps its own look for draws that take no copy.
    EXPECT_TRUE(draw(picture, part) == scaled);
}

TEST_F(ScaledCopiesTest, ATintedCopyDrawsTheSamePixelsAsTintingAtEveryDraw) {
    const SDL_Color tint{250, 200, 150, 255};
    std::vector<Uint8> tinted = draw(picture, part);
    copies.get(renderer, picture, part, 50, 37, tint);
    copies.shownFrame();
    SDL_Texture* copy = copies.get(renderer, picture, part, 50, 37, tint);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copies.get(renderer, picture, part, 50, 37), nullptr) << "another tint is another copy";
    // The copy carries the tint: drawn untinted and faded as the picture, it gives the same pixels.
    SDL_SetRenderDrawColor(renderer, 90, 90, 90, 255);
    SDL_RenderClear(renderer);
    SDL_SetTextureAlphaMod(copy, 200);
    const SDL_Rect target{7, 9, 50, 37};
    SDL_RenderCopy(renderer, copy, nullptr, &target);
    SDL_RenderFlush(renderer);
    const auto* bytes = static_cast<const Uint8*>(surface->pixels);
    EXPECT_TRUE(std::vector<Uint8>(bytes, bytes + surface->pitch * surface->h) == tinted);
}

TEST_F(ScaledCopiesTest, CopiesLiveWhileShownFramesDrawThemAndGoWhenTheScreenIsStill) {
    get();
    copies.shownFrame();
    SDL_Texture* copy = get();
    copies.shownFrame();
    EXPECT_EQ(get(), copy);
    EXPECT_EQ(copies.getCount(), 1u);
    EXPECT_EQ(copies.getBytes(), 50u * 37u * 4u);
    copies.shownFrame();
    copies.shownFrame();
    EXPECT_EQ(copies.getCount(), 0u) << "a frame that did not draw it frees it";
    EXPECT_EQ(copies.getBytes(), 0u);

    get();
    copies.shownFrame();
    get();
    for (int i = 0; i < host::ScaledCopies::StillFramesBeforeFreeing - 1; ++i) {
        copies.keptFrame();
    }
    EXPECT_EQ(copies.getCount(), 1u) << "a short pause keeps it";
    copies.keptFrame();
    EXPECT_EQ(copies.getCount(), 0u);
    EXPECT_EQ(get(), nullptr) << "a draw after a kept frame is no animation yet";
}

TEST_F(ScaledCopiesTest, TheBudgetAndAFreedPictureBoundTheCopies) {
    host::ScaledCopies small(50 * 37 * 4 - 1);
    small.get(renderer, picture, part, 50, 37);
    small.shownFrame();
    EXPECT_EQ(small.get(renderer, picture, part, 50, 37), nullptr);

    get();
    copies.get(renderer, picture, part, 20, 20);
    copies.shownFrame();
    get();
    copies.get(renderer, picture, part, 20, 20);
    EXPECT_EQ(copies.getCount(), 2u);
    copies.forget(picture);
    EXPECT_EQ(copies.getCount(), 0u);
    copies.shownFrame();
    EXPECT_EQ(get(), nullptr) << "what was wanted of a freed picture is forgotten";
}
