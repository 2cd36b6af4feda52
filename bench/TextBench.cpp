// Text a frame draws: labels rendered afresh and from the cache, names that borrow characters from
// the fallback fonts, and the wrapping of a long card text.
#include <benchmark/benchmark.h>
#include <fonts/Fonts.h>
#include <host/Host.h>
#include <kit/Log.h>

#include <cstdlib>

namespace {

const kit::String LatinLine = "Anna drinks 3 and picks a drinking buddy!";
const kit::String MixedLine = "Жора and 乾杯 drink with Anna";

fonts::TextStyle labelStyle() {
    fonts::TextStyle style;
    style.font = "default";
    return style;
}

void renderFresh(benchmark::State& state, const kit::String& text) {
    for (auto _ : state) {
        fonts::renderer->clearCache();
        benchmark::DoNotOptimize(fonts::renderer->render(text, labelStyle(), 800.0f, 60.0f));
    }
}

void LabelUncached(benchmark::State& state) {
    renderFresh(state, LatinLine);
}

void LabelUncachedWithBorrowedCharacters(benchmark::State& state) {
    renderFresh(state, MixedLine);
}

void LabelCached(benchmark::State& state) {
    fonts::renderer->render(LatinLine, labelStyle(), 800.0f, 60.0f);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fonts::renderer->render(LatinLine, labelStyle(), 800.0f, 60.0f));
    }
}

void WrapCardText(benchmark::State& state) {
    kit::String text;
    for (int i = 0; i < 20; ++i) {
        text += "Sing the chorus of your favourite song, or drink twice. ";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            fonts::renderer->getTextHeight(text, "default", 500.0f, fonts::Horizontal::LeftWrapped));
    }
}

BENCHMARK(LabelUncached)->Unit(benchmark::kMicrosecond);
BENCHMARK(LabelUncachedWithBorrowedCharacters)->Unit(benchmark::kMicrosecond);
BENCHMARK(LabelCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(WrapCardText)->Unit(benchmark::kMicrosecond);

// The game's interface font at the size it has in a 1280 x 720 window, with the Cyrillic and Chinese
// fonts behind it.
bool start() {
    kit::Log::setConsoleEnabled(false);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    if (!host::init() || !host::createRenderSystem() || !host::createWindow(1280, 720, false, "bench") ||
        !fonts::init()) {
        return false;
    }
    const struct {
        const char* file;
        const char* name;
    } table[] = {{"NulaDosis-Regular.ttf", "default"}, {"ptsans.ttf", "cyrillic"}, {"simhei.ttf", "cjk"}};
    for (const auto& font : table) {
        fonts::renderer->registerFont(new fonts::FontTtf(kit::String("data/gui/fonts/") + font.file,
                                                         font.name, 60.0f, 1.0f / 1.5f, 60.0f, 6.0f, true),
                                      false);
    }
    fonts::renderer->setFallbackFonts({"cyrillic", "cjk"});
    return fonts::renderer->getFont("default")->isUsable();
}

}  // namespace

int main(int argc, char** argv) {
    if (!start()) {
        std::fprintf(stderr, "text_bench: no window or fonts (run from build/bin after a build)\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fonts::destroy();
    host::destroy();
    return 0;
}
