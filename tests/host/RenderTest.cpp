#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "Support.h"
#include "kit/Dir.h"
#include "kit/File.h"
#include "kit/ResourceDir.h"

using host::Color;
using host::RenderSystem;
using quadrix::Rectangle;
using quadrix::Vector2;

namespace {

RenderSystem::Quad corners(const Rectangle& r) {
    return {r.getTopLeft(), r.getTopRight(), r.getBottomRight(), r.getBottomLeft()};
}

RenderSystem::Quad rotated(const Vector2& center, float halfSize, float degrees) {
    RenderSystem::Quad quad{Vector2(-halfSize, -halfSize), Vector2(halfSize, -halfSize),
                            Vector2(halfSize, halfSize), Vector2(-halfSize, halfSize)};
    double radians = degrees * M_PI / 180.0;
    for (auto& corner : quad) {
        float x = static_cast<float>(corner.x * std::cos(radians) - corner.y * std::sin(radians));
        float y = static_cast<float>(corner.x * std::sin(radians) + corner.y * std::cos(radians));
        corner = center + Vector2(x, y);
    }
    return quad;
}

const RenderSystem::Quad fullUvs{Vector2(0, 0), Vector2(1, 0), Vector2(1, 1), Vector2(0, 1)};

// The frame read back once; pixel() answers in window pixels.
class Frame {
public:
    Frame() { EXPECT_TRUE(host::rendersys->readPixels(rgba, width, height)); }
    Color pixel(int x, int y) const {
        size_t i = (static_cast<size_t>(y) * width + x) * 4;
        return Color(rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]);
    }
    kit::Array<unsigned char> rgba;
    int width = 0;
    int height = 0;
};

// Colours within a small tolerance (filtering and rounding).
::testing::AssertionResult near(const Color& actual, const Color& expected, int tolerance = 3) {
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actual.hex() << " instead of " << expected.hex();
}

class RenderTest : public hosttest::WindowFixture {};

}  // namespace

TEST_F(RenderTest, TransformedTintedQuadsLandWhereTheyMust) {
    // 160 x 120 GUI units on the 320 x 240 window: two pixels per unit.
    host::rendersys->setOrthoProjection(Rectangle(0, 0, 160, 120));
    host::rendersys->clear(Color::Black);
    host::rendersys->drawQuad(corners(Rectangle(10, 10, 20, 20)), Color::Red);
    unsigned char white[4 * 4];
    std::fill(std::begin(white), std::end(white), 255);
    host::Texture* texture = host::rendersys->createTextureFromPixels(2, 2, white);
    ASSERT_NE(texture, nullptr);
    EXPECT_TRUE(texture->isLoaded());
    EXPECT_EQ(texture->getWidth(), 2);
    host::rendersys->drawQuad(texture, corners(Rectangle(50, 10, 20, 20)), fullUvs, Color::Blue);  // tinted
    host::rendersys->drawQuad(rotated(Vector2(100, 80), 15, 45), Color::Green);                // a diamond
    host::rendersys->drawQuad(corners(Rectangle(10, 60, 20, 20)), Color(255, 255, 255, 128));  // half alpha
    host::rendersys->drawQuad(texture, rotated(Vector2(130, 30), 12, 30), fullUvs,
                              Color::Red);  // turned, tinted
    host::rendersys->drawQuad(
        texture, corners(Rectangle(130, 60, 20, 20)),  // sub-texel uvs
        {Vector2(0.25f, 0.25f), Vector2(0.75f, 0.25f), Vector2(0.75f, 0.75f), Vector2(0.25f, 0.75f)},
        Color(0, 255, 0, 128));

    Frame frame;
    ASSERT_EQ(frame.width, 320);
    ASSERT_EQ(frame.height, 240);
    EXPECT_TRUE(near(frame.pixel(40, 40), Color::Red));
    EXPECT_TRUE(near(frame.pixel(22, 22), Color::Red));
    EXPECT_TRUE(near(frame.pixel(17, 17), Color::Black));  // outside, above left
    EXPECT_TRUE(near(frame.pixel(62, 40), Color::Black));  // right of it
    EXPECT_TRUE(near(frame.pixel(120, 40), Color::Blue));
    EXPECT_TRUE(near(frame.pixel(200, 160), Color::Green));            // the diamond's centre
    EXPECT_TRUE(near(frame.pixel(200 + 36, 160), Color::Green));       // 18 units right: inside the diamond
    EXPECT_TRUE(near(frame.pixel(200 - 28, 160 - 28), Color::Black));  // the square's corner: turned away
    EXPECT_TRUE(near(frame.pixel(40, 140), Color(128, 128, 128), 4));
    EXPECT_TRUE(near(frame.pixel(260, 60), Color::Red));
    EXPECT_TRUE(near(frame.pixel(260 + 22, 60), Color::Red));  // inside the turned square
    EXPECT_TRUE(near(frame.pixel(260 + 28, 60 - 22), Color::Black));
    EXPECT_TRUE(near(frame.pixel(280, 140), Color(0, 128, 0), 4));
    delete texture;
}

TEST_F(RenderTest, TextureCoordinatesPickPartsOfThePicture) {
    // Left half red, right half blue.
    const unsigned char pixels[] = {255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 255};
    host::Texture* texture = host::rendersys->createTextureFromPixels(4, 1, pixels);
    ASSERT_NE(texture, nullptr);
    host::rendersys->clear();
    host::rendersys->drawQuad(texture, corners(Rectangle(0, 0, 160, 80)), fullUvs, Color::White);
    // Only the right half of the picture, stretched over the second quad.
    host::rendersys->drawQuad(texture, corners(Rectangle(160, 0, 160, 80)),
                              {Vector2(0.5f, 0), Vector2(1, 0), Vector2(1, 1), Vector2(0.5f, 1)},
                              Color::White);
    Frame frame;
    EXPECT_TRUE(near(frame.pixel(20, 40), Color::Red));
    EXPECT_TRUE(near(frame.pixel(140, 40), Color::Blue));
    EXPECT_TRUE(near(frame.pixel(180, 40), Color::Blue));
    EXPECT_TRUE(near(frame.pixel(300, 40), Color::Blue));
    delete texture;
}

TEST_F(RenderTest, ViewportLetterboxesAndClearIgnoresIt) {
    host::rendersys->clear(Color::Black);
    // A square picture in a wide window: 100 x 100 units into a 240 x 240 viewport in the middle.
    host::rendersys->setViewport(Rectangle(40, 0, 240, 240));
    host::rendersys->setOrthoProjection(Rectangle(0, 0, 100, 100));
    host::rendersys->drawQuad(corners(Rectangle(-50, -50, 200, 200)), Color::Yellow);  // cut at the viewport
    Frame frame;
    EXPECT_TRUE(near(frame.pixel(20, 120), Color::Black));
    EXPECT_TRUE(near(frame.pixel(300, 120), Color::Black));
    EXPECT_TRUE(near(frame.pixel(45, 5), Color::Yellow));
    EXPECT_TRUE(near(frame.pixel(275, 235), Color::Yellow));
    EXPECT_EQ(host::rendersys->toWindowPosition(Vector2(50, 50)), Vector2(160, 120));
    EXPECT_EQ(host::rendersys->toGuiPosition(Vector2(160, 120)), Vector2(50, 50));

    host::rendersys->clear(Color::Teal);  // the whole window
    Frame cleared;
    EXPECT_TRUE(near(cleared.pixel(5, 5), Color::Teal));
    EXPECT_TRUE(near(cleared.pixel(315, 235), Color::Teal));
}

TEST_F(RenderTest, ClipRectanglesCutDrawing) {
    host::rendersys->setOrthoProjection(Rectangle(0, 0, 160, 120));
    host::rendersys->clear(Color::Black);
    host::rendersys->setClipRect(Rectangle(20, 10, 40, 30));
    EXPECT_TRUE(host::rendersys->isClipping());
    host::rendersys->drawQuad(corners(Rectangle(0, 0, 160, 120)), Color::Purple);
    host::rendersys->resetClipRect();
    EXPECT_FALSE(host::rendersys->isClipping());
    Frame frame;
    EXPECT_TRUE(near(frame.pixel(41, 21), Color::Purple));
    EXPECT_TRUE(near(frame.pixel(118, 78), Color::Purple));
    EXPECT_TRUE(near(frame.pixel(38, 40), Color::Black));
    EXPECT_TRUE(near(frame.pixel(122, 40), Color::Black));
    EXPECT_TRUE(near(frame.pixel(60, 82), Color::Black));

    // An empty clip rectangle hides everything.
    host::rendersys->clear(Color::Black);
    host::rendersys->setClipRect(Rectangle(10, 10, 0, 0));
    host::rendersys->drawQuad(corners(Rectangle(0, 0, 160, 120)), Color::White);
    host::rendersys->resetClipRect();
    Frame empty;
    EXPECT_TRUE(near(empty.pixel(160, 120), Color::Black));
    EXPECT_TRUE(near(empty.pixel(0, 0), Color::Black));
}

TEST_F(RenderTest, ScreenshotsArePngFiles) {
    host::rendersys->clear(Color::Black);
    host::rendersys->drawQuad(corners(Rectangle(0, 0, 160, 240)), Color::Orange);
    kit::String filename =
        kit::Dir::joinPath(kit::Dir::getTemporaryPath(), kit::format("host_shot_%d.png", getpid()));
    ASSERT_TRUE(host::rendersys->saveScreenshot(filename));
    SDL_Surface* surface = IMG_Load(filename.c_str());
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->w, 320);
    EXPECT_EQ(surface->h, 240);
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
    auto* bytes = static_cast<unsigned char*>(rgba->pixels);
    EXPECT_TRUE(near(Color(bytes[0], bytes[1], bytes[2]), Color::Orange));
    int right = (10 * rgba->pitch) + 300 * 4;
    EXPECT_TRUE(near(Color(bytes[right], bytes[right + 1], bytes[right + 2]), Color::Black));
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(surface);
    kit::File::remove(filename);
}

namespace {

// One frame: a black screen with a magenta square at x, shown.
void showSquare(float x) {
    host::rendersys->clear(Color::Black);
    host::rendersys->drawQuad(corners(Rectangle(x, 10, 20, 20)), Color::Magenta);
    host::rendersys->presentFrame();
}

}  // namespace

TEST_F(RenderTest, AFrameLikeTheLastShownIsKeptInsteadOfDrawnAgain) {
    host::rendersys->setOrthoProjection(Rectangle(0, 0, 160, 120));
    const RenderSystem::FrameStats& stats = host::rendersys->getFrameStats();
    showSquare(10);
    uint64_t drawn = stats.drawn;
    uint64_t kept = stats.kept;
    showSquare(10);
    EXPECT_EQ(stats.drawn, drawn);
    EXPECT_EQ(stats.kept, kept + 1);
    EXPECT_TRUE(near(Frame().pixel(40, 40), Color::Magenta)) << "the kept frame still shows";

    showSquare(60);
    EXPECT_EQ(stats.drawn, drawn + 1) << "a moved square is drawn";
    Frame moved;
    EXPECT_TRUE(near(moved.pixel(40, 40), Color::Black));
    EXPECT_TRUE(near(moved.pixel(140, 40), Color::Magenta));

    host::rendersys->redrawNextFrame();
    showSquare(60);
    EXPECT_EQ(stats.drawn, drawn + 2) << "an uncovered window is drawn again";
    kit::String filename =
        kit::Dir::joinPath(kit::Dir::getTemporaryPath(), kit::format("host_kept_%d.png", getpid()));
    host::rendersys->requestScreenshot(filename);
    showSquare(60);
    EXPECT_EQ(stats.drawn, drawn + 3) << "a screenshot takes the frame drawn";
    EXPECT_TRUE(kit::File::exists(filename));
    kit::File::remove(filename);
    for (int i = 0; i < 300; ++i) {
        showSquare(60);
    }
    EXPECT_EQ(stats.drawn, drawn + 3) << "kept for five seconds";
    showSquare(60);
    EXPECT_EQ(stats.drawn, drawn + 4) << "a kept frame is drawn again after five seconds";

    host::rendersys->setClipRect(Rectangle(0, 0, 40, 120));
    showSquare(60);
    host::rendersys->resetClipRect();
    EXPECT_EQ(stats.drawn, drawn + 5) << "the clipping is part of the frame";
    EXPECT_TRUE(near(Frame().pixel(140, 40), Color::Black));
}

TEST_F(RenderTest, ATextureFreedAfterItWasDrawnIsDrawnFirst) {
    host::rendersys->setOrthoProjection(Rectangle(0, 0, 160, 120));
    unsigned char white[4 * 4];
    std::fill(std::begin(white), std::end(white), 255);
    host::rendersys->clear(Color::Black);
    host::Texture* texture = host::rendersys->createTextureFromPixels(2, 2, white);
    ASSERT_NE(texture, nullptr);
    host::rendersys->drawQuad(texture, corners(Rectangle(10, 10, 20, 20)), fullUvs, Color::Green);
    delete texture;
    host::rendersys->drawQuad(corners(Rectangle(60, 10, 20, 20)), Color::Red);
    Frame frame;
    EXPECT_TRUE(near(frame.pixel(40, 40), Color::Green));
    EXPECT_TRUE(near(frame.pixel(140, 40), Color::Red));
    uint64_t drawn = host::rendersys->getFrameStats().drawn;
    host::rendersys->presentFrame();
    EXPECT_EQ(host::rendersys->getFrameStats().drawn, drawn + 1);
}

namespace {

// Draws a coloured square each frame.
class Painter : public host::UpdateDelegate {
public:
    bool onUpdate(float) override {
        host::rendersys->clear(Color::Black);
        host::rendersys->drawQuad(corners(Rectangle(100, 100, 50, 50)), Color::Magenta);
        return true;
    }
};

}  // namespace

TEST_F(RenderTest, TheDriverCapturesAPresentedFrame) {
    Painter painter;
    host::window->setUpdateDelegate(&painter);
    host::TestDriver driver;
    kit::String filename =
        kit::Dir::joinPath(kit::Dir::getTemporaryPath(), kit::format("host_frame_%d.png", getpid()));
    ASSERT_TRUE(driver.captureFrame(filename));
    SDL_Surface* surface = IMG_Load(filename.c_str());
    ASSERT_NE(surface, nullptr);
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
    auto* bytes = static_cast<unsigned char*>(rgba->pixels);
    int inside = 125 * rgba->pitch + 125 * 4;
    EXPECT_TRUE(near(Color(bytes[inside], bytes[inside + 1], bytes[inside + 2]), Color::Magenta));
    EXPECT_TRUE(near(Color(bytes[0], bytes[1], bytes[2]), Color::Black));
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(surface);
    kit::File::remove(filename);
}

namespace {

// A resource tree in a temporary folder with a PNG and an SVG picture.
class TextureTest : public hosttest::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        root = kit::Dir::joinPath(kit::Dir::getTemporaryPath(), kit::format("host_res_%d", int(getpid())));
        ASSERT_TRUE(kit::Dir::create(root + "/img"));
        writePng("img/green.png", 4, 3, Color::Green);
        writePng("img/both.png", 2, 2, Color::Red);
        kit::File::write(root + "/img/both.svg", svg(6, 6, "#0000ff"));
        kit::File::write(root + "/img/blue.svg", svg(8, 6, "#0000ff"));
        kit::File::write(root + "/img/broken.png", kit::String("not a picture"));
        for (int i = 0; i < 4; ++i) {
            writePng(kit::format("img/async%d.png", i), 16, 16, Color::Aqua);
        }
        kit::ResourceDir::setRoot(root);
    }
    void TearDown() override {
        kit::ResourceDir::setRoot("");
        host::setMaxAsyncTextureUploadsPerFrame(0);
        WindowFixture::TearDown();
        kit::Dir::remove(root);
    }
    void writePng(const kit::String& name, int width, int height, const Color& color) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, color.r, color.g, color.b, color.a));
        ASSERT_EQ(IMG_SavePNG(surface, (root + "/" + name).c_str()), 0);
        SDL_FreeSurface(surface);
    }
    static kit::String svg(int width, int height, const char* fill) {
        return kit::format(
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\">"
            "<rect x=\"0\" y=\"0\" width=\"%d\" height=\"%d\" fill=\"%s\"/></svg>",
            width, height, width, height, fill);
    }
    kit::String root;
};

}  // namespace

TEST_F(TextureTest, FindsPicturesByNameWithoutExtension) {
    EXPECT_EQ(host::rendersys->findTextureResource("img/green"), "img/green.png");
    EXPECT_EQ(host::rendersys->findTextureResource("img/blue"), "img/blue.svg");
    EXPECT_EQ(host::rendersys->findTextureResource("img/both"), "img/both.png");  // PNG is tried first
    EXPECT_EQ(host::rendersys->findTextureResource("img/missing"), "");
    EXPECT_EQ(host::rendersys->findTextureResource("img"), "");
    EXPECT_EQ(host::rendersys->createTextureFromResource("img/missing.png"), nullptr);
}

TEST_F(TextureTest, LoadsMetaDataThenPixelsOnDemand) {
    host::Texture* png = host::rendersys->createTextureFromResource("img/green.png");
    host::Texture* svg = host::rendersys->createTextureFromResource("img/blue.svg");
    ASSERT_NE(png, nullptr);
    ASSERT_NE(svg, nullptr);
    EXPECT_EQ(png->getFilename(), "img/green.png");
    EXPECT_FALSE(png->isLoaded());
    EXPECT_EQ(png->getWidth(), 0);
    EXPECT_TRUE(png->loadMetaData());
    EXPECT_EQ(png->getWidth(), 4);
    EXPECT_EQ(png->getHeight(), 3);
    EXPECT_FALSE(png->isLoaded());
    EXPECT_TRUE(svg->loadMetaData());
    EXPECT_EQ(svg->getWidth(), 8);
    EXPECT_EQ(svg->getHeight(), 6);

    host::rendersys->setOrthoProjection(Rectangle(0, 0, 160, 120));
    host::rendersys->clear();
    host::rendersys->drawQuad(png, corners(Rectangle(0, 0, 40, 40)), fullUvs, Color::White);  // loads it
    EXPECT_TRUE(png->isLoaded());
    EXPECT_NE(png->getHandle(), nullptr);
    host::rendersys->drawQuad(svg, corners(Rectangle(80, 0, 40, 40)), fullUvs, Color::White);
    Frame frame;
    EXPECT_TRUE(near(frame.pixel(40, 40), Color::Green));
    EXPECT_TRUE(near(frame.pixel(200, 40), Color::Blue));

    png->unload();
    EXPECT_FALSE(png->isLoaded());
    EXPECT_TRUE(png->load());
    EXPECT_TRUE(png->isLoaded());
    delete png;
    delete svg;
}

TEST_F(TextureTest, ABrokenPictureDrawsNothingAndIsNotRetried) {
    host::Texture* broken = host::rendersys->createTextureFromResource("img/broken.png");
    ASSERT_NE(broken, nullptr);
    EXPECT_FALSE(broken->loadMetaData());
    EXPECT_FALSE(broken->load());
    EXPECT_TRUE(broken->isFailed());
    host::rendersys->clear(Color::Black);
    host::rendersys->drawQuad(broken, corners(Rectangle(0, 0, 320, 240)), fullUvs, Color::White);
    Frame frame;
    EXPECT_TRUE(near(frame.pixel(160, 120), Color::Black));
    EXPECT_FALSE(broken->loadAsync());
    delete broken;
}

// A picture a frame wants to draw does not wait behind the others: it is uploaded in the next frame,
// beyond the budget, while the rest come one a frame.
TEST_F(TextureTest, APictureDrawnWhileItWaitsGoesFirst) {
    host::setMaxAsyncTextureUploadsPerFrame(1);
    kit::Array<host::Texture*> textures;
    for (int i = 0; i < 4; ++i) {
        textures.push_back(host::rendersys->createTextureFromResource(kit::format("img/async%d.png", i)));
        ASSERT_TRUE(textures.back()->loadAsync());
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    host::rendersys->drawQuad(textures[3], corners(Rectangle(0, 0, 40, 40)), fullUvs, Color::White);
    EXPECT_FALSE(textures[3]->isLoaded()) << "drawing does not decode on the main thread";
    host::TestDriver driver;
    driver.step();
    EXPECT_TRUE(textures[3]->isLoaded());
    int others = 0;
    for (int i = 0; i < 3; ++i) {
        others += textures[i]->isLoaded() ? 1 : 0;
    }
    EXPECT_EQ(others, 1) << "the rest keep to one a frame";
    for (auto* texture : textures) {
        delete texture;
    }
}

TEST_F(TextureTest, AsynchronousLoadsUploadAFewPerFrame) {
    host::setMaxAsyncTextureUploadsPerFrame(1);
    EXPECT_EQ(host::getMaxAsyncTextureUploadsPerFrame(), 1);
    kit::Array<host::Texture*> textures;
    for (int i = 0; i < 4; ++i) {
        textures.push_back(host::rendersys->createTextureFromResource(kit::format("img/async%d.png", i)));
        ASSERT_NE(textures.back(), nullptr);
        EXPECT_TRUE(textures.back()->loadAsync());
        EXPECT_TRUE(textures.back()->isAsyncLoadQueued());
    }
    // Give the worker time to decode all four, then count the uploads per frame.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    host::TestDriver driver;
    int previous = 0;
    for (int frame = 0; frame < 20; ++frame) {
        driver.step();
        int loaded = 0;
        for (auto* texture : textures) {
            loaded += texture->isLoaded() ? 1 : 0;
        }
        EXPECT_LE(loaded - previous, 1);
        previous = loaded;
        if (loaded == 4) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(previous, 4);
    for (auto* texture : textures) {
        EXPECT_FALSE(texture->isAsyncLoadQueued());
        EXPECT_EQ(texture->getWidth(), 16);
        delete texture;
    }
}

TEST_F(TextureTest, LoadingNowOvertakesAQueuedLoadAndDeletingCancelsIt) {
    host::Texture* first = host::rendersys->createTextureFromResource("img/async0.png");
    host::Texture* second = host::rendersys->createTextureFromResource("img/async1.png");
    EXPECT_TRUE(first->loadAsync());
    EXPECT_TRUE(second->loadAsync());
    EXPECT_TRUE(first->load());
    EXPECT_TRUE(first->isLoaded());
    EXPECT_FALSE(first->isAsyncLoadQueued());
    delete second;  // its decoded pixels are dropped
    host::TestDriver driver;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(driver.step(3));
    EXPECT_TRUE(first->isLoaded());
    delete first;
}

TEST(TextureLifetime, TexturesOutliveTheRenderSystem) {
    ASSERT_TRUE(host::init());
    ASSERT_TRUE(host::createWindow(32, 32, false, "lifetime"));
    unsigned char pixel[4] = {1, 2, 3, 4};
    host::Texture* texture = host::rendersys->createTextureFromPixels(1, 1, pixel);
    ASSERT_NE(texture, nullptr);
    host::destroy();
    EXPECT_FALSE(texture->isLoaded());
    EXPECT_FALSE(texture->load());
    delete texture;  // safe after host::destroy
}

TEST_F(RenderTest, AMovingScreenLooksTheSameWhenItsScaledPicturesAreDrawnFromCopies) {
    // A 3 x 2 picture stretched over a letterboxed viewport, then a square that moves each frame.
    const unsigned char pixels[] = {255, 0,   0, 255, 0, 255, 0,   200, 0,   0, 255, 255,
                                    255, 255, 0, 128, 0, 255, 255, 255, 255, 0, 255, 60};
    host::Texture* texture = host::rendersys->createTextureFromPixels(3, 2, pixels);
    ASSERT_NE(texture, nullptr);
    host::rendersys->setViewport(Rectangle(40, 0, 240, 240));
    host::rendersys->setOrthoProjection(Rectangle(0, 0, 100, 100));
    kit::Array<unsigned char> first;
    for (int frame = 0; frame < 4; ++frame) {
        host::rendersys->clear(Color::Black);
        host::rendersys->drawQuad(texture, corners(Rectangle(5, 5, 60, 40)), fullUvs,
                                  Color(255, 200, 100, 220));
        host::rendersys->drawQuad(corners(Rectangle(70, 10.0f + static_cast<float>(frame), 10, 10)),
                                  Color::White);
        Frame shown;
        // The square's place differs; the picture's pixels and the square's colour must not.
        EXPECT_TRUE(near(shown.pixel(40 + 180, 30 + frame * 2), Color::White)) << "frame " << frame;
        EXPECT_TRUE(near(shown.pixel(20, 30), Color::Black)) << "outside the viewport, frame " << frame;
        for (int y = 0; y < shown.height; ++y) {
            std::fill_n(shown.rgba.begin() + (static_cast<ptrdiff_t>(y) * shown.width + 200) * 4,
                        (shown.width - 200) * 4, 0);
        }
        if (frame == 0) {
            first = shown.rgba;
        } else {
            EXPECT_TRUE(shown.rgba == first) << "frame " << frame;
        }
        host::rendersys->presentFrame();
    }
    delete texture;
}
