// Every text the game shows fits its box in every language, measured in the game's own fonts, sizes
// and wrapping. A failure lists each overflow with its screen, object, language and size in GUI units.
#include <fonts/Fonts.h>
#include <fonts/Renderer.h>
#include <gui/EditBox.h>
#include <gui/Gui.h>
#include <gui/Label.h>
#include <host/Window.h>
#include <kit/Format.h>
#include <kit/ResourceDir.h>
#include <kit/Strings.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/menu/Overlay.h>
#include <algorithm>
#include <regex>

#include "BoardPlay.h"
#include "Menu/CustomCards.h"
#include "Menu/Localization.h"
#include "Menu/Title.h"
#include "ShownObjects.h"
#include "System/PlayerNames.h"

namespace e2etest {
namespace {

// Less than this is rounding between the measuring and the drawing of a text.
constexpr float Tolerance = 2.0f;

// The widest name a player can have: as many capital Ws as the turn banner takes, as the board shows
// a name (in its colour, shortened with an ellipsis where it must be).
kit::String widestPlainName() {
    kit::String name;
    while (System::fitsNameWidth(name + "W")) {
        name += "W";
    }
    return name;
}

kit::String widestName() {
    return "{[c=FF0000][b=000000]" + widestPlainName() + "[/b][/c]}";
}

// The longest card the editor takes: words until the next would not fit the card dialog.
kit::String longestCard() {
    kit::String card;
    for (int word = 0;; ++word) {
        kit::String longer = card + (card.empty() ? "" : " ") + (word % 3 == 0 ? "Wonderful" : "drink");
        if (!Menu::CustomCards::fitsCardDialog(longer)) {
            return "{" + kit::escapeText(card) + "}";
        }
        card = longer;
    }
}

// How far a label's text runs past its box, in GUI units. A box always holds one line; text in a
// scroll area may run down.
struct Overflow {
    float across = 0.0f;
    float down = 0.0f;
};

// The label's font at a share of its size: "special:0.45" at 0.7 is "special:0.315".
kit::String scaledFont(const kit::String& font, float share) {
    size_t colon = font.find(':');
    float scale = colon == kit::String::npos ? 1.0f : kit::toFloat(font.substr(colon + 1));
    return kit::format("%s:%.4f", font.substr(0, colon).c_str(), scale * share);
}

Overflow measureIn(const gui::Label& label, const kit::String& font) {
    fonts::Renderer& renderer = *fonts::renderer;
    const kit::String text = label.isMarkup() ? label.getText() : kit::escapeText(label.getText());
    const float width = label.getWidth();
    Overflow overflow;
    float widest = 0.0f;
    for (const kit::String& line :
         renderer.wrap(text, font, fonts::isWrapped(label.getAlignment()) ? width : 0.0f)) {
        widest = std::max(widest, renderer.getTextWidth(kit::escapeText(line), font));
    }
    overflow.across = widest - width;
    if (!isScrolled(&label)) {
        float height = renderer.getTextHeight(text, font, width, label.getAlignment());
        overflow.down = height - std::max(label.getHeight(), renderer.getLineHeight(label.getFont()));
    }
    // A single line that ends in an ellipsis where it must is never too wide.
    if (label.isEllipsis() && !fonts::isWrapped(label.getAlignment())) {
        overflow.across = 0.0f;
    }
    return overflow;
}

// A label that may shrink is measured at the size it is drawn at: the smallest it may take, when its
// own does not do.
Overflow measure(const gui::Label& label) {
    Overflow full = measureIn(label, label.getFont());
    if (label.getShrinkLimit() >= 1.0f || (full.across <= Tolerance && full.down <= Tolerance)) {
        return full;
    }
    return measureIn(label, scaledFont(label.getFont(), label.getShrinkLimit()));
}

// The overflows found in one language, one line each.
class TextFit {
public:
    explicit TextFit(kit::Array<kit::String>& faults) : faults(faults) {}

    void checkLabel(const gui::Label& label, const kit::String& screen) {
        // Typed text scrolls inside its box.
        if (dynamic_cast<const gui::EditBox*>(&label) || label.getText().empty()) {
            return;
        }
        Overflow overflow = measure(label);
        kit::String where = gui::getLocalization() + " " + screen + " " + label.getName();
        if (overflow.across > Tolerance) {
            faults.push_back(kit::format("%s: %.0f units too wide", where.c_str(), overflow.across));
        }
        if (overflow.down > Tolerance) {
            faults.push_back(kit::format("%s: %.0f units too tall", where.c_str(), overflow.down));
        }
    }

    void check(ventrel::system::Context* screen) {
        forEachShown(screen, [&](gui::Object* object) {
            if (auto* label = dynamic_cast<gui::Label*>(object)) {
                checkLabel(*label, screen->getName());
            }
        });
        ++checked;
    }

    int getChecked() const { return checked; }

private:
    kit::Array<kit::String>& faults;
    int checked = 0;
};

// The English keys of a text file that match the pattern; every language has the same keys.
kit::Array<kit::String> keysOf(const kit::String& file, const std::string& pattern) {
    const std::string text = kit::ResourceDir::readText("data/gui/texts/en/" + file);
    const std::regex name("name=\"(" + pattern + ")\"");
    kit::Array<kit::String> keys;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), name); it != std::sregex_iterator(); ++it) {
        keys.push_back("gui." + (*it)[1].str());
    }
    return keys;
}

// The key as a composite key that fills each of its %s with a name, as the board fills them.
kit::String filled(gui::Label& label, const kit::String& key) {
    label.setTextKey(key);
    const kit::String& text = label.getText();
    size_t blanks = 0;
    for (size_t at = text.find("%s"); at != kit::String::npos; at = text.find("%s", at + 2)) {
        ++blanks;
    }
    if (blanks == 0) {
        return key;
    }
    kit::String composite = "{%f} " + key;
    for (size_t n = 0; n < blanks; ++n) {
        composite += " " + widestName();
    }
    return composite;
}

// The texts each dialog shows: the dialog's name ends in the first part, the keys match the pattern.
struct DialogTexts {
    const char* dialog;
    const char* file;
    const char* pattern;
};
const DialogTexts DialogKeys[] = {{"yes_no_cancel", "game.xml", "YesNoCancel\\w*"},
                                  {"yes_no_cancel", "menus.xml", "YesNoCancel\\w*"},
                                  {"yes_no", "game.xml", "YesNo(?!Cancel)\\w*"},
                                  {"yes_no", "menus.xml", "YesNo(?!Cancel)\\w*"},
                                  {"ok", "game.xml", "Ok\\w*"},
                                  {"ok", "menus.xml", "Ok\\w*"},
                                  {"action_select", "actions.xml", "ActionType_\\w*"},
                                  {"action_choice", "actions.xml", "ActionType_\\w*"},
                                  // The picker's heading asks for the pick.
                                  {"picker_player", "actions.xml", "ActionType_\\w*_Pick1"}};

kit::Array<kit::String> textsFor(const ventrel::menu::Dialog& dialog) {
    kit::Array<kit::String> texts;
    for (const DialogTexts& entry : DialogKeys) {
        if (kit::endsWith(dialog.getName(), entry.dialog)) {
            for (const kit::String& key : keysOf(entry.file, entry.pattern)) {
                texts.push_back(key);
            }
        }
    }
    return texts;
}

// Shows the dialog, then puts each of its texts into its text boxes in turn.
void checkDialog(GameSession& session, ventrel::menu::Dialog* dialog, TextFit& fit) {
    host::TestDriver& driver = session.getDriver();
    kit::Array<kit::String> first;
    if (dialog->getObject("text_dialog_0")) {
        first.push_back("gui.YesNoPlay");
    }
    ventrel::sceneManager->showDialog(dialog->getName(), session.getScene(), session.getScene(), first,
                                      "TextFit");
    driver.step(20);
    if (auto* name = dynamic_cast<gui::Label*>(dialog->getObject("player_name"))) {
        name->setTextKey(widestName());
    }
    for (int n = 0; n < dialog->getButtonCount(); ++n) {
        if (auto* name =
                dynamic_cast<gui::Label*>(dialog->getObject("button_dialog_" + kit::toString(n) + "_text"))) {
            name->setTextKey(widestName());
        }
    }
    fit.check(dialog);
    for (int n = 0; n < dialog->getButtonCount(); ++n) {
        auto* box = dynamic_cast<gui::Label*>(dialog->getObject("text_dialog_" + kit::toString(n)));
        if (!box || !box->isDerivedVisible()) {
            continue;
        }
        for (const kit::String& key : textsFor(*dialog)) {
            box->setTextKey(filled(*box, key));
            fit.checkLabel(*box, dialog->getName() + " " + key);
        }
        // The players' own cards come in the choice dialog, as long as the editor lets them be.
        if (kit::endsWith(dialog->getName(), "action_choice")) {
            box->setTextKey(longestCard());
            fit.checkLabel(*box, dialog->getName() + " the longest own card");
        }
    }
    dialog->dismiss();
    driver.step(10);
}

// Every scene with its visible menus, then each of its other menus shown alone over it.
void checkScene(GameSession& session, const kit::String& scene, TextFit& fit) {
    host::TestDriver& driver = session.getDriver();
    if (scene == "Scene::Board") {
        newGame(14, Layout::Classic, FieldSet::Classic);
        // Everybody with the widest name the game takes: the bar, the banner and the lists hold them.
        for (Game::Player* player : game().getPlayers()) {
            player->setName(widestPlainName());
        }
    }
    ASSERT_TRUE(session.goTo(scene)) << scene;
    driver.step(30);
    fit.check(session.getScene());
    for (ventrel::menu::Base* menu : session.getScene()->getAllMenus()) {
        if (menu->isVisible()) {
            continue;
        }
        menu->show();
        driver.step(20);
        fit.check(menu);
        menu->hide();
        driver.step(10);
    }
}

// The language chosen with the title's flags, as a player chooses it.
void chooseLanguage(GameSession& session, const kit::String& language) {
    ASSERT_TRUE(session.goTo("Scene::Title"));
    session.click(session.findMenu<Menu::Title>(), "button_localization");
    auto* flags = session.findMenu<Menu::Localization>();
    ASSERT_TRUE(flags && session.waitForInput(flags));
    session.click(flags, language);
    session.getDriver().step(10);
    ASSERT_EQ(System::profile().get("Language"), language);
}

TEST(TextFit, EveryTextFitsItsBoxInEveryLanguage) {
    GameSession session;
    ASSERT_TRUE(session.waitForScene());
    host::TestDriver& driver = session.getDriver();
    // Texts are laid out in GUI units; the narrowest screen (4:3) leaves the least room.
    session.useWindow(1024, 768);
    kit::Array<kit::String> faults;
    TextFit fit(faults);
    for (const kit::String& language : gui::getSupportedLocalizations()) {
        chooseLanguage(session, language);
        for (const kit::String& scene : ventrel::sceneManager->getSceneNames()) {
            // The logo film shows pictures only.
            if (scene != "Scene::Logos") {
                checkScene(session, scene, fit);
            }
        }
        ASSERT_TRUE(session.goTo("Scene::Title"));
        for (ventrel::menu::Dialog* dialog : ventrel::sceneManager->getDialogs()) {
            checkDialog(session, dialog, fit);
        }
        for (ventrel::menu::Overlay* overlay : ventrel::sceneManager->getOverlays()) {
            overlay->show();
            driver.step(20);
            fit.check(overlay);
            overlay->hide();
            driver.step(10);
        }
    }
    EXPECT_GT(fit.getChecked(), 8 * 30);
    EXPECT_TRUE(faults.empty()) << faults.size() << " texts overflow:\n" << kit::join(faults, "\n");
}

}  // namespace
}  // namespace e2etest
