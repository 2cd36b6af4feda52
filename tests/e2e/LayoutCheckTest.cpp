// Every screen at every window size the game supports: what a player can press lies inside the
// window, and no two buttons lie on top of each other.
#include <fonts/Font.h>
#include <fonts/Renderer.h>
#include <gui/ButtonBase.h>
#include <gui/EditBox.h>
#include <gui/Gui.h>
#include <gui/Label.h>
#include <host/RenderSystem.h>
#include <host/Window.h>
#include <kit/Env.h>
#include <kit/File.h>
#include <kit/Format.h>
#include <kit/ResourceDir.h>
#include <kit/Strings.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/menu/Overlay.h>

#include "BoardPlay.h"
#include "ShownObjects.h"
#include "System/Core.h"
#include "TempFolder.h"

#include <filesystem>

namespace e2etest {
namespace {

bool isPressable(const gui::Object* object) {
    return (dynamic_cast<const gui::ButtonBase*>(object) || dynamic_cast<const gui::EditBox*>(object)) &&
           !isScrolled(object);
}

bool isAncestor(const gui::Object* ancestor, const gui::Object* object) {
    for (const gui::Object* parent = object->getParent(); parent; parent = parent->getParent()) {
        if (parent == ancestor) {
            return true;
        }
    }
    return false;
}

// The faults of one screen and its visible menus, one line each.
kit::Array<kit::String> checkScreen(ventrel::system::Context* screen, const kit::String& size) {
    kit::Array<gui::Object*> pressable;
    forEachShown(screen, [&](gui::Object* object) {
        if (isPressable(object)) {
            pressable.push_back(object);
        }
    });
    const quadrix::Rectangle& viewport = gui::getViewport();
    quadrix::Rectangle window(0.0f, 0.0f, viewport.w, viewport.h);
    window = quadrix::Rectangle(window.x - 1.0f, window.y - 1.0f, window.w + 2.0f, window.h + 2.0f);
    kit::Array<kit::String> faults;
    auto name = [&](const gui::Object* object) {
        return screen->getName() + " " + object->getName() + " at " + size;
    };
    for (size_t i = 0; i < pressable.size(); ++i) {
        quadrix::Rectangle rect = pressable[i]->getBoundingRect();
        if (!window.contains(rect)) {
            faults.push_back(name(pressable[i]) + " lies outside the window");
        }
        for (size_t j = i + 1; j < pressable.size(); ++j) {
            if (isAncestor(pressable[i], pressable[j]) || isAncestor(pressable[j], pressable[i])) {
                continue;
            }
            quadrix::Rectangle overlap = rect.clipped(pressable[j]->getBoundingRect());
            if (overlap.w > 2.0f && overlap.h > 2.0f) {
                faults.push_back(name(pressable[i]) + " overlaps " + pressable[j]->getName());
            }
        }
    }
    return faults;
}

// The texts of one screen drawn smaller than the smallest a player can read on a handheld's screen.
kit::Array<kit::String> checkTextSizes(ventrel::system::Context* screen, const kit::String& size,
                                       float minimum) {
    kit::Array<kit::String> faults;
    const quadrix::Rectangle& units = gui::getViewport();
    const quadrix::Rectangle& pixels = gui::getViewportPixels();
    float pixelsPerUnit = units.h > 0.0f ? pixels.h / units.h : 1.0f;
    forEachShown(screen, [&](gui::Object* object) {
        auto* label = dynamic_cast<gui::Label*>(object);
        if (!label || label->getText().empty() || label->getHeight() <= 0.0f) {
            return;
        }
        fonts::Font* font = fonts::renderer->getFont(label->getFont());
        float scale = label->getBoundingRect().h / label->getHeight();
        float height = font ? font->getUnitHeight() * scale * pixelsPerUnit : 0.0f;
        if (height > 0.0f && height < minimum) {
            faults.push_back(kit::format("%s %s at %s: text %.1f pixels high", screen->getName().c_str(),
                                         label->getName().c_str(), size.c_str(), height));
        }
    });
    return faults;
}

struct Size {
    int width;
    int height;
};

// With SWIGGARD_SHOTS set to a folder, each scene is saved there as a picture to look at; the
// pictures take one loaded texture a frame, so the screen waits for them first.
void picture(host::TestDriver& driver, const kit::String& name) {
    const kit::String folder = kit::getEnv("SWIGGARD_SHOTS");
    if (folder.empty()) {
        return;
    }
    driver.step(200);
    host::rendersys->requestScreenshot(folder + "/" + kit::replace(name, "/", "_") + ".png");
    driver.step(2);
}

// The handheld's screen, where no text may be smaller than MinTextPixels.
const kit::String SteamDeck = "1280x800";
constexpr float MinTextPixels = 12.0f;

// Every scene, then every dialog and overlay over a quiet scene, one at a time, at each size; the
// faults found, one line each.
kit::Array<kit::String> checkEveryScreen(GameSession& session, std::initializer_list<Size> sizes,
                                         int& checked) {
    host::TestDriver& driver = session.getDriver();
    kit::Array<kit::String> faults;
    auto add = [&](ventrel::system::Context* screen, const kit::String& label) {
        auto found = checkScreen(screen, label);
        faults.insert(faults.end(), found.begin(), found.end());
        if (label == SteamDeck) {
            auto small = checkTextSizes(screen, label, MinTextPixels);
            faults.insert(faults.end(), small.begin(), small.end());
        }
        ++checked;
    };
    for (Size size : sizes) {
        session.useWindow(size.width, size.height);
        kit::String label = kit::format("%dx%d", size.width, size.height);
        for (const kit::String& scene : ventrel::sceneManager->getSceneNames()) {
            // The logo film moves on by itself; it has nothing to press.
            if (scene == "Scene::Logos") {
                continue;
            }
            if (scene == "Scene::Board") {
                newGame(14, Layout::Classic, FieldSet::Classic);
            }
            EXPECT_TRUE(session.goTo(scene)) << scene;
            driver.step(30);
            add(session.getScene(), label);
            picture(driver, label + "_" + session.getScene()->getName());
        }
        EXPECT_TRUE(session.goTo("Scene::Title"));
        for (ventrel::menu::Dialog* dialog : ventrel::sceneManager->getDialogs()) {
            kit::Array<kit::String> texts;
            if (dialog->getObject("text_dialog_0")) {
                texts.push_back("gui.YesNoPlay");
            }
            ventrel::sceneManager->showDialog(dialog->getName(), session.getScene(), session.getScene(),
                                              texts, "LayoutCheck");
            driver.step(30);
            add(dialog, label);
            dialog->dismiss();
            driver.step(10);
        }
        for (ventrel::menu::Overlay* overlay : ventrel::sceneManager->getOverlays()) {
            overlay->show();
            driver.step(30);
            add(overlay, label);
            overlay->hide();
            driver.step(10);
        }
    }
    return faults;
}

TEST(LayoutCheck, EveryScreenFitsEveryWindow) {
    GameSession session;
    ASSERT_TRUE(session.waitForScene());
    int checked = 0;
    auto faults = checkEveryScreen(
        session, {{1024, 768}, {1280, 800}, {1366, 768}, {1920, 1080}, {2560, 1080}}, checked);
    EXPECT_GT(checked, 40);
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults:\n" << kit::join(faults, "\n");
}

// The small-screen layout is chosen by the configuration at start-up: a data root of its own holds the
// game's data and a configuration that asks for it.
TEST(LayoutCheck, TheMobileLayoutFitsItsSmallWindow) {
    const kit::String real = kit::ResourceDir::getRoot();
    TempFolder root;
    std::filesystem::create_symlink(kit::ResourceDir::getPath("data"), root.getPath() + "/data");
    std::filesystem::create_directory(root.getPath() + "/cfg");
    for (const kit::String& file : kit::ResourceDir::files("cfg")) {
        kit::String text = kit::ResourceDir::readText("cfg/" + file);
        ASSERT_TRUE(kit::File::write(root.getPath() + "/cfg/" + file,
                                     kit::replace(text, "GUI:normal", "GUI:mobile")));
    }
    kit::ResourceDir::setRoot(root.getPath());
    {
        GameSession session;
        ASSERT_TRUE(session.waitForScene());
        ASSERT_TRUE(static_cast<System::Core*>(ventrel::core)->isMobile());
        int checked = 0;
        auto faults = checkEveryScreen(session, {{960, 640}}, checked);
        EXPECT_GT(checked, 20);
        EXPECT_TRUE(faults.empty()) << faults.size() << " faults:\n" << kit::join(faults, "\n");
    }
    kit::ResourceDir::setRoot(real);
}

}  // namespace
}  // namespace e2etest
