#include "TurnedBlit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using host::TurnedBlit;

// A frame as the window gives it (32 bits, no alpha) filled with a pattern, and a 16 x 12 picture
// whose every texel differs in colour and alpha.
class TurnedBlitTest : public ::testing::Test {
protected:
    static constexpr int PictureWidth = 16;
    static constexpr int PictureHeight = 12;

    void SetUp() override {
        frame = makeFrame();
        picture = SDL_CreateRGBSurfaceWithFormat(0, PictureWidth, PictureHeight, 32, SDL_PIXELFORMAT_RGBA32);
        ASSERT_NE(picture, nullptr);
        for (int y = 0; y < PictureHeight; ++y) {
            for (int x = 0; x < PictureWidth; ++x) {
                unsigned char* texel = texelAt(x, y);
                texel[0] = static_cast<unsigned char>(x * 15);
                texel[1] = static_cast<unsigned char>(y * 20);
                texel[2] = static_cast<unsigned char>(255 - x * 7 - y * 3);
                texel[3] = static_cast<unsigned char>(30 + x * 9 + y * 4);
            }
        }
    }

    void TearDown() override {
        SDL_FreeSurface(frame);
        SDL_FreeSurface(picture);
    }

    static SDL_Surface* makeFrame() {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 64, 48, 32, SDL_PIXELFORMAT_RGB888);
        for (int y = 0; y < surface->h; ++y) {
            for (int x = 0; x < surface->w; ++x) {
                pixelOf(surface, x, y) =
                    SDL_MapRGB(surface->format, static_cast<Uint8>(x * 4), static_cast<Uint8>(200 - y * 3),
                               static_cast<Uint8>(x + y));
            }
        }
        return surface;
    }

    static Uint32& pixelOf(SDL_Surface* surface, int x, int y) {
        return reinterpret_cast<Uint32*>(static_cast<unsigned char*>(surface->pixels) +
                                         y * surface->pitch)[x];
    }

    unsigned char* texelAt(int x, int y) const {
        return static_cast<unsigned char*>(picture->pixels) + y * picture->pitch + x * 4;
    }

    static TurnedBlit::Pixels pixelsOf(SDL_Surface* surface) {
        return {static_cast<unsigned char*>(surface->pixels), surface->w, surface->h, surface->pitch};
    }

    bool draw(SDL_Surface* target, const TurnedBlit::Quad& quad, SDL_Color tint = {255, 255, 255, 255},
              SDL_Rect clip = {0, 0, 64, 48}, bool withPicture = true) {
        TurnedBlit::Pixels texels = pixelsOf(picture);
        return TurnedBlit::draw(pixelsOf(target), *target->format, clip, withPicture ? &texels : nullptr,
                                quad, tint);
    }

    // The whole picture on the rectangle at (x, y), turned a quarter clockwise when asked.
    static TurnedBlit::Quad wholePicture(float x, float y, bool quarterTurn = false) {
        const float w = PictureWidth;
        const float h = PictureHeight;
        TurnedBlit::Quad quad;
        if (quarterTurn) {
            // The picture's top edge runs down the right side.
            quad = {{{x + h, y}, {x + h, y + w}, {x, y + w}, {x, y}}, {}};
        } else {
            quad = {{{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, {}};
        }
        const SDL_FPoint texels[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
        std::copy(std::begin(texels), std::end(texels), quad.texels);
        return quad;
    }

    static int largestDifference(SDL_Surface* a, SDL_Surface* b) {
        int largest = 0;
        for (int y = 0; y < a->h; ++y) {
            for (int x = 0; x < a->w; ++x) {
                Uint8 ca[3], cb[3];
                SDL_GetRGB(pixelOf(a, x, y), a->format, &ca[0], &ca[1], &ca[2]);
                SDL_GetRGB(pixelOf(b, x, y), b->format, &cb[0], &cb[1], &cb[2]);
                for (int i = 0; i < 3; ++i) {
                    largest = std::max(largest, std::abs(ca[i] - cb[i]));
                }
            }
        }
        return largest;
    }

    SDL_Surface* frame = nullptr;
    SDL_Surface* picture = nullptr;
};

TEST_F(TurnedBlitTest, BlendsAndTintsAsSdlDoes) {
    for (SDL_Color tint : {SDL_Color{255, 255, 255, 255}, SDL_Color{200, 120, 60, 150}}) {
        SDL_Surface* expected = makeFrame();
        SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceColorMod(picture, tint.r, tint.g, tint.b);
        SDL_SetSurfaceAlphaMod(picture, tint.a);
        SDL_Rect at{7, 5, PictureWidth, PictureHeight};
        ASSERT_EQ(SDL_BlitSurface(picture, nullptr, expected, &at), 0);
        SDL_Surface* drawn = makeFrame();
        ASSERT_TRUE(draw(drawn, wholePicture(7.0f, 5.0f), tint));
        // SDL truncates at each step of tinting and blending; this rounds.
        EXPECT_LE(largestDifference(drawn, expected), 3) << int(tint.a);
        SDL_FreeSurface(expected);
        SDL_FreeSurface(drawn);
    }
}

TEST_F(TurnedBlitTest, AQuarterTurnShowsThePictureTurned) {
    for (int y = 0; y < PictureHeight; ++y) {
        for (int x = 0; x < PictureWidth; ++x) {
            texelAt(x, y)[3] = 255;
        }
    }
    ASSERT_TRUE(draw(frame, wholePicture(20.0f, 10.0f, true)));
    for (int y = 0; y < PictureHeight; ++y) {
        for (int x = 0; x < PictureWidth; ++x) {
            // Texel (x, y) lands x pixels down from the top, y pixels left of the right edge.
            Uint8 r, g, b;
            SDL_GetRGB(pixelOf(frame, 20 + PictureHeight - 1 - y, 10 + x), frame->format, &r, &g, &b);
            const unsigned char* texel = texelAt(x, y);
            ASSERT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{texel[0], texel[1], texel[2]}))
                << x << "," << y;
        }
    }
}

TEST_F(TurnedBlitTest, TurnedQuadsSharingAnEdgeNeitherOverlapNorLeaveAGap) {
    SDL_FillRect(frame, nullptr, 0);
    // A square turned by 30 degrees, cut in two along a line through its middle, each half drawn in
    // half-transparent white: a pixel drawn twice would come out lighter, a gap black.
    const SDL_FPoint corners[4] = {{32.0f, 4.0f}, {52.8f, 16.0f}, {40.8f, 36.8f}, {20.0f, 24.8f}};
    auto middle = [](SDL_FPoint a, SDL_FPoint b) { return SDL_FPoint{(a.x + b.x) / 2, (a.y + b.y) / 2}; };
    const SDL_FPoint top = middle(corners[0], corners[1]);
    const SDL_FPoint bottom = middle(corners[3], corners[2]);
    const TurnedBlit::Quad halves[2] = {{{corners[0], top, bottom, corners[3]}, {}},
                                        {{top, corners[1], corners[2], bottom}, {}}};
    for (const TurnedBlit::Quad& half : halves) {
        ASSERT_TRUE(draw(frame, half, {255, 255, 255, 128}, {0, 0, 64, 48}, false));
    }
    int once = 0;
    for (int y = 0; y < frame->h; ++y) {
        for (int x = 0; x < frame->w; ++x) {
            Uint8 r, g, b;
            SDL_GetRGB(pixelOf(frame, x, y), frame->format, &r, &g, &b);
            ASSERT_TRUE(r == 0 || r == 128) << x << "," << y << ": " << int(r);
            once += r == 128;
        }
    }
    // The square's area, 24 x 24 pixels, up to its rounded edges.
    EXPECT_NEAR(once, 24 * 24, 24);
}

TEST_F(TurnedBlitTest, DrawsOnlyInsideTheClipAndTheFrame) {
    SDL_Surface* before = makeFrame();
    // Far larger than the frame and turned: it covers the whole clip and nothing else.
    const TurnedBlit::Quad huge = {{{-3000.0f, 20.0f}, {30.0f, -3000.0f}, {3050.0f, 30.0f}, {20.0f, 3050.0f}},
                                   {{0, 0}, {16, 0}, {16, 12}, {0, 12}}};
    const SDL_Rect clip{10, 8, 30, 20};
    ASSERT_TRUE(draw(frame, huge, {0, 0, 0, 255}, clip, false));
    for (int y = 0; y < frame->h; ++y) {
        for (int x = 0; x < frame->w; ++x) {
            SDL_Point point{x, y};
            const bool inside = SDL_PointInRect(&point, &clip);
            ASSERT_EQ(pixelOf(frame, x, y) & 0xFFFFFF, inside ? 0u : pixelOf(before, x, y) & 0xFFFFFF)
                << x << "," << y;
        }
    }
    // A picture hanging over the frame's corner reads no texel and writes no pixel outside, and one
    // turned nearly flat (a scale animation's first frame) steps far through the picture safely.
    ASSERT_TRUE(draw(frame, wholePicture(56.0f, 42.0f, true), {255, 255, 255, 255}, {-10, -10, 100, 100}));
    const TurnedBlit::Quad flat = {{{10.0f, 10.0f}, {40.0f, 40.0f}, {40.0f, 40.0004f}, {10.0f, 10.0004f}},
                                   {{0, 0}, {16, 0}, {16, 12}, {0, 12}}};
    ASSERT_TRUE(draw(frame, flat));
    SDL_FreeSurface(before);
}

TEST_F(TurnedBlitTest, LeavesOtherShapesAndFormatsToSdl) {
    SDL_Surface* before = makeFrame();
    TurnedBlit::Quad trapezoid = wholePicture(5.0f, 5.0f);
    trapezoid.corners[1].x += 6.0f;
    EXPECT_FALSE(draw(frame, trapezoid));
    TurnedBlit::Quad stretched = wholePicture(5.0f, 5.0f);
    stretched.texels[2].x -= 4.0f;
    EXPECT_FALSE(draw(frame, stretched));
    EXPECT_EQ(largestDifference(frame, before), 0);
    SDL_Surface* sixteen = SDL_CreateRGBSurfaceWithFormat(0, 64, 48, 16, SDL_PIXELFORMAT_RGB565);
    EXPECT_FALSE(draw(sixteen, wholePicture(5.0f, 5.0f)));
    SDL_FreeSurface(sixteen);
    SDL_FreeSurface(before);
}

}  // namespace
