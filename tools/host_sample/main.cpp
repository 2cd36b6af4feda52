// Interactive sample of the host layer (not shipped with the game): a window with moving and rotating
// pictures (an SVG planet, PNG rings, textures made from pixels) and plain shapes, reacting to keys,
// the mouse, touches and a game controller.
//
//   host_sample [--frames N] [--screenshot FILE] [--idle | --blank] [--software]
//
// Arrow keys / WASD / controller pad: move the arrow. Left click / tap / controller A: drop a marker.
// Right click / controller B: clear the markers. Wheel: spin speed. Space: pause. F: full screen.
// P: screenshot (host_sample.png). Escape / closing the window: quit.
// --frames N ends after N frames, --screenshot FILE saves the last frame, --idle shows a still picture
// and --blank only clears each frame (for measuring the idle cost of a window), --software forces the
// software renderer.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "host/Host.h"
#include "kit/Format.h"
#include "kit/Log.h"
#include "kit/ResourceDir.h"

using host::Color;
using host::Key;
using host::RenderSystem;
using quadrix::Rectangle;
using quadrix::Vector2;

namespace {

const Rectangle guiArea(0.0f, 0.0f, 1280.0f, 720.0f);
const RenderSystem::Quad fullUvs{Vector2(0, 0), Vector2(1, 0), Vector2(1, 1), Vector2(0, 1)};

RenderSystem::Quad square(const Vector2& center, float width, float height, float degrees) {
    float radians = degrees * 3.14159265f / 180.0f;
    float c = std::cos(radians);
    float s = std::sin(radians);
    RenderSystem::Quad quad{Vector2(-width / 2, -height / 2), Vector2(width / 2, -height / 2),
                            Vector2(width / 2, height / 2), Vector2(-width / 2, height / 2)};
    for (auto& corner : quad) {
        corner = center + Vector2(corner.x * c - corner.y * s, corner.x * s + corner.y * c);
    }
    return quad;
}

RenderSystem::Quad box(const Rectangle& r) {
    return {r.getTopLeft(), r.getTopRight(), r.getBottomRight(), r.getBottomLeft()};
}

// A 64 x 64 picture computed pixel by pixel: coverage in 0..1 for each pixel centre.
template <class Coverage>
host::Texture* makeTexture(Coverage coverage) {
    const int size = 64;
    kit::Array<unsigned char> pixels(size * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float alpha = coverage((x + 0.5f) / size, (y + 0.5f) / size);
            alpha = alpha < 0.0f ? 0.0f : (alpha > 1.0f ? 1.0f : alpha);
            unsigned char* p = &pixels[(y * size + x) * 4];
            p[0] = p[1] = p[2] = 255;
            p[3] = static_cast<unsigned char>(alpha * 255.0f);
        }
    }
    return host::rendersys->createTextureFromPixels(size, size, pixels.data());
}

class Sample : public host::UpdateDelegate, public host::SystemDelegate, public host::InputDelegate {
public:
    int maxFrames = -1;
    kit::String screenshot;
    bool idle = false;
    bool blank = false;

    bool setup() {
        kit::ResourceDir::setRoot(HOST_SAMPLE_RESOURCES);
        planet = load("sample/planet");
        ring = load("sample/ring");
        arrow = makeTexture([](float u, float v) {
            // Points to the right; soft edges.
            float inside = std::min(u - 0.1f, 0.45f - 0.5f * u - std::fabs(v - 0.5f));
            return inside * 40.0f;
        });
        disc = makeTexture([](float u, float v) {
            float d = std::hypot(u - 0.5f, v - 0.5f);
            return (0.48f - d) * 40.0f;
        });
        if (planet == nullptr || ring == nullptr || arrow == nullptr || disc == nullptr) {
            return false;
        }
        host::window->setUpdateDelegate(this);
        host::window->setSystemDelegate(this);
        host::window->setKeyboardDelegate(this);
        host::window->setMouseDelegate(this);
        host::window->setTouchDelegate(this);
        host::window->setControllerDelegate(this);
        host::window->setCursorVisible(false);  // the sample draws its own cursor
        layout(host::window->getWidth(), host::window->getHeight());
        return true;
    }

    ~Sample() override {
        delete planet;
        delete ring;
        delete arrow;
        delete disc;
    }

    // The 1280 x 720 GUI area scaled to fit the window, with black bars.
    void layout(int width, int height) {
        float scale = std::min(width / guiArea.w, height / guiArea.h);
        float w = guiArea.w * scale;
        float h = guiArea.h * scale;
        host::rendersys->setViewport(
            Rectangle(std::floor((width - w) / 2), std::floor((height - h) / 2), w, h));
        host::rendersys->setOrthoProjection(guiArea);
    }

    bool onUpdate(float timeDelta) override {
        ++frame;
        if (!paused && !idle) {
            time += timeDelta;
            spin += spinSpeed * timeDelta;
            Vector2 step((held[1] ? 1.0f : 0.0f) - (held[0] ? 1.0f : 0.0f),
                         (held[3] ? 1.0f : 0.0f) - (held[2] ? 1.0f : 0.0f));
            if (!step.isNull()) {
                heading = step.angle() * -1.0f;
                arrowPosition += step.normalized() * (360.0f * timeDelta);
                arrowPosition.x = std::clamp(arrowPosition.x, 40.0f, 1240.0f);
                arrowPosition.y = std::clamp(arrowPosition.y, 40.0f, 600.0f);
            }
        }
        if (blank) {
            host::rendersys->clear(Color(18, 22, 44));
        } else {
            draw();
        }
        secondTimer += timeDelta;
        if (secondTimer >= 1.0f) {
            secondTimer = 0.0f;
            host::window->setTitle(kit::format("host sample - %d fps - %s", host::window->getFps(),
                                               host::rendersys->getName().c_str()));
        }
        if (maxFrames > 0 && frame == maxFrames && !screenshot.empty()) {
            host::rendersys->requestScreenshot(screenshot);
        }
        return maxFrames <= 0 || frame < maxFrames;
    }

    void draw() {
        RenderSystem& render = *host::rendersys;
        render.clear(Color::Black);
        render.drawQuad(box(guiArea), Color(18, 22, 44));  // the GUI area, inside the bars

        // A clipped "scroll area" of sliding stripes.
        Rectangle area(40, 40, 300, 160);
        render.drawQuad(box(area), Color(40, 46, 80));
        render.setClipRect(area);
        for (int i = -2; i < 12; ++i) {
            float x = area.x + i * 40.0f + std::fmod(time * 60.0f, 40.0f);
            render.drawQuad({Vector2(x, area.y), Vector2(x + 20, area.y), Vector2(x - 40, area.bottom()),
                             Vector2(x - 60, area.bottom())},
                            Color(Color::Aqua, 160));
        }
        render.resetClipRect();

        // The planet turning, rings orbiting it.
        Vector2 center(640, 330);
        render.drawQuad(planet, square(center, 260, 260, spin * 0.25f), fullUvs, Color::White);
        const Color ringColors[3] = {Color::Orange, Color::Teal, Color::Pink};
        for (int i = 0; i < 3; ++i) {
            float angle = spin * (0.6f + 0.3f * i) * 3.14159265f / 180.0f + i * 2.1f;
            float radius = 200.0f + 45.0f * i;
            Vector2 at = center + Vector2(std::cos(angle) * radius, std::sin(angle) * radius * 0.55f);
            render.drawQuad(ring, square(at, 70 - 10 * i, 70 - 10 * i, -spin * (1 + i)), fullUvs,
                            ringColors[i]);
        }

        // A bouncing, turning, half-transparent square.
        float bx = 1060.0f + std::sin(time * 1.3f) * 120.0f;
        float by = 520.0f - std::fabs(std::sin(time * 2.6f)) * 160.0f;
        render.drawQuad(square(Vector2(bx, by), 90, 90, spin * 1.5f), Color(Color::Yellow, 190));
        render.drawQuad(square(Vector2(bx, by), 50, 50, -spin * 2.0f), Color(Color::Purple, 220));

        // The player colours of the catalogue as a palette.
        const Color players[14] = {Color::Red,     Color::Green, Color::Blue, Color("E4EA00FF"),
                                   Color::Magenta, Color::Cyan,  Color::Aqua, Color::Teal,
                                   Color::Purple,  Color::Pink,  Color::Neon, Color("FF5F00FF"),
                                   Color::White,   Color::Black};
        for (int i = 0; i < 14; ++i) {
            Rectangle cell(136.0f + i * 74.0f, 640.0f, 64.0f, 56.0f);
            render.drawQuad(box(Rectangle(cell.x - 3, cell.y - 3, cell.w + 6, cell.h + 6)),
                            Color(90, 90, 110));
            render.drawQuad(box(cell), players[i]);
        }

        // Markers dropped by clicks, and the arrow.
        for (size_t i = 0; i < markers.size(); ++i) {
            float pulse = 34.0f + 6.0f * std::sin(time * 4.0f + i);
            render.drawQuad(disc, square(markers[i], pulse, pulse, 0), fullUvs, Color(Color::Neon, 220));
        }
        render.drawQuad(arrow, square(arrowPosition, 72, 72, heading), fullUvs, Color::Red);

        // Input mode: white mouse, orange touch, green controller; frame-rate bar below it.
        const Color modeColors[3] = {Color::White, Color::Orange, Color::Green};
        render.drawQuad(box(Rectangle(1190, 40, 50, 50)),
                        modeColors[static_cast<int>(host::window->getInputMode())]);
        render.drawQuad(box(Rectangle(1040, 100, host::window->getFps() * 3.0f, 8)),
                        Color(Color::Green, 200));

        // Our own cursor, when the mouse is over the window.
        if (host::window->isCursorInside() &&
            host::window->getInputMode() == host::Window::InputMode::Mouse) {
            Vector2 cursor = render.toGuiPosition(host::window->getCursorPosition());
            render.drawQuad(square(cursor + Vector2(9, 9), 14, 14, 45), Color::White);
            render.drawQuad(square(cursor + Vector2(9, 9), 8, 8, 45), Color::Black);
        }
    }

    // System events.
    bool onQuit(bool) override {
        kit::Log::write("host", "host sample: quit requested, closing.");
        return true;
    }
    void onWindowSizeChanged(int width, int height, bool) override { layout(width, height); }
    void onInputModeChanged(host::Window::InputMode mode) override {
        kit::Log::write("host", kit::format("host sample: input mode %d", static_cast<int>(mode)));
    }

    // Keyboard.
    void onKeyDown(Key key) override {
        setHeld(key, true);
        switch (key) {
            case Key::Escape:
                host::window->terminateMainLoop();
                break;
            case Key::Space:
                paused = !paused;
                break;
            case Key::F:
                host::window->setFullscreen(!host::window->isFullscreen());
                break;
            case Key::P:
                host::rendersys->requestScreenshot("host_sample.png");
                break;
            default:
                break;
        }
    }
    void onKeyUp(Key key) override { setHeld(key, false); }
    void onChar(unsigned int code) override {
        kit::Log::debug("host", kit::format("host sample: typed U+%04X", code));
    }

    // Mouse and touch.
    void onMouseDown(Key button) override {
        Vector2 at = host::rendersys->toGuiPosition(host::window->getCursorPosition());
        if (button == Key::MouseLeft) {
            addMarker(at);
        } else if (button == Key::MouseRight) {
            markers.clear();
        }
    }
    void onMouseScroll(float, float y) override {
        spinSpeed = std::clamp(spinSpeed - y * 15.0f, -360.0f, 360.0f);
    }
    void onTouch(const kit::Array<Vector2>& touches) override {
        for (const auto& touch : touches) {
            addMarker(host::rendersys->toGuiPosition(touch));
        }
    }

    // Controller.
    void onButtonDown(host::Button button) override {
        setHeldButton(button, true);
        if (button == host::Button::A) {
            addMarker(arrowPosition);
        } else if (button == host::Button::B) {
            markers.clear();
        } else if (button == host::Button::Start) {
            paused = !paused;
        }
    }
    void onButtonUp(host::Button button) override { setHeldButton(button, false); }

private:
    host::Texture* load(const kit::String& name) {
        kit::String filename = host::rendersys->findTextureResource(name);
        host::Texture* texture =
            filename.empty() ? nullptr : host::rendersys->createTextureFromResource(filename);
        if (texture == nullptr) {
            kit::Log::error("host", "host sample: missing picture " + name);
        }
        return texture;
    }
    void addMarker(const Vector2& at) {
        if (markers.size() >= 40) {
            markers.erase(markers.begin());
        }
        markers.push_back(at);
    }
    void setHeld(Key key, bool down) {
        if (key == Key::Left || key == Key::A)
            held[0] = down;
        if (key == Key::Right || key == Key::D)
            held[1] = down;
        if (key == Key::Up || key == Key::W)
            held[2] = down;
        if (key == Key::Down || key == Key::S)
            held[3] = down;
    }
    void setHeldButton(host::Button button, bool down) {
        if (button == host::Button::DPadLeft)
            held[0] = down;
        if (button == host::Button::DPadRight)
            held[1] = down;
        if (button == host::Button::DPadUp)
            held[2] = down;
        if (button == host::Button::DPadDown)
            held[3] = down;
    }

    host::Texture* planet = nullptr;
    host::Texture* ring = nullptr;
    host::Texture* arrow = nullptr;
    host::Texture* disc = nullptr;
    int frame = 0;
    float time = 0.0f;
    float spin = 0.0f;
    float spinSpeed = 60.0f;
    float secondTimer = 0.0f;
    bool paused = false;
    bool held[4] = {false, false, false, false};  // left, right, up, down
    float heading = 0.0f;
    Vector2 arrowPosition{200.0f, 420.0f};
    kit::Array<Vector2> markers{Vector2(520, 560), Vector2(760, 560)};
};

Sample* sample = nullptr;
bool software = false;

void sampleInit(const kit::Array<kit::String>& args) {
    sample = new Sample();
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--frames" && i + 1 < args.size()) {
            sample->maxFrames = std::atoi(args[++i].c_str());
        } else if (args[i] == "--screenshot" && i + 1 < args.size()) {
            sample->screenshot = args[++i];
        } else if (args[i] == "--idle") {
            sample->idle = true;
        } else if (args[i] == "--blank") {
            sample->blank = true;
        } else if (args[i] == "--software") {
            software = true;
        }
    }
    if (!host::init(software ? host::RenderSystemType::Software : host::RenderSystemType::Default) ||
        !host::createRenderSystem() || !host::createWindow(1280, 720, false, "host sample")) {
        return;  // runMain skips the loop
    }
    if (!sample->setup()) {
        host::window->destroy();
    }
}

void sampleDestroy() {
    delete sample;
    sample = nullptr;
    host::destroy();
    kit::Log::finalize(true);
}

}  // namespace

int main(int argc, char** argv) {
    return host::runMain(sampleInit, sampleDestroy, argc, argv);
}
