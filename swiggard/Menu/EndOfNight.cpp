#include "Menu/EndOfNight.h"

#include <host/Host.h>
#include <host/RenderSystem.h>
#include <kit/Env.h>
#include <kit/Log.h>
#include <kit/Strings.h>
#include <kit/Time.h>

#include <unistd.h>
#include <array>
#include <ctime>

#include "Game/Player.h"
#include "Game/Sobering.h"
#include "Menu/NightRecap.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Navigation.h"
#include "System/NightSettings.h"
#include "System/Objects.h"
#include "System/Pictures.h"
#include "System/TempState.h"

namespace Menu {

namespace {

const char* const RowPrefix = "container_night_player_";
const char* const NoFigure = "\u2013";
// The pages in the order of EndOfNight::Page, by the names of their containers and tabs.
constexpr std::array<const char*, 4> PageNames{"night", "sips", "laps", "awards"};
const host::Color TabText("FFFFFF");
const host::Color ShownTabText("1B1530");

// "Swiggard night 2026-12-10": the day the picture was taken.
kit::String pictureStem() {
    std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    char day[16];
    std::strftime(day, sizeof(day), "%Y-%m-%d", &today);
    return kit::String("Swiggard night ") + day;
}

// Home shown as "~", as people read their folders.
kit::String shownPath(const kit::String& path) {
    kit::String home = kit::getEnv("HOME");
    return !home.empty() && kit::startsWith(path, home + "/") ? "~" + path.substr(home.size()) : path;
}

}  // namespace

EndOfNight::EndOfNight(ventrel::system::Context* owner) : Base(owner, "menu/end_of_night") {
    confirmObjectName = "button_same_players";
    cancelObjectName = "button_title";
    setAutoFocusMode(10, 5, false);
}

ventrel::system::Contract EndOfNight::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Base::getContract();
    contract.add({"container_night_player_%d", Kind::Object, 0, PlayerSlots - 1})
        .add({"image_night_character_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"image_night_mark_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"image_night_style_%d", Kind::ImageBox, 0, PlayerSlots - 1});
    for (const char* label : {"label_night_name_%d", "label_night_sips_%d", "label_night_water_%d",
                              "label_night_now_%d", "label_night_hours_%d"}) {
        contract.add({label, Kind::Label, 0, PlayerSlots - 1});
    }
    return contract.add({"scroll_area", Kind::ScrollArea})
        .add({"label_drivers", Kind::Label})
        .add({"label_ride_number", Kind::Label})
        .add({"label_no_ride", Kind::Label})
        .add({"image_taxi", Kind::ImageBox})
        .add({"button_same_players", Kind::Button})
        .add({"button_title", Kind::Button})
        .add({"button_save_picture", Kind::Button})
        .add({"chart_area", Kind::Object})
        .add({"chart_line_%d_0", Kind::Object, 0, PlayerSlots - 1})
        .add({"chart_mark_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"legend_%d", Kind::Object, 0, PlayerSlots - 1})
        .add({"legend_mark_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"legend_name_%d", Kind::Label, 0, PlayerSlots - 1})
        .add({"label_chart_max", Kind::Label})
        .add({"label_chart_turns", Kind::Label})
        .add({"container_laps_row_%d", Kind::Object, 0, PlayerSlots - 1})
        .add({"image_laps_character_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"image_laps_mark_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"label_laps_name_%d", Kind::Label, 0, PlayerSlots - 1})
        .add({"bar_laps_%d", Kind::Object, 0, PlayerSlots - 1})
        .add({"bar_accepted_%d", Kind::Object, 0, PlayerSlots - 1})
        .add({"bar_refused_%d", Kind::Object, 0, PlayerSlots - 1})
        .add({"label_laps_%d", Kind::Label, 0, PlayerSlots - 1})
        .add({"label_accepted_%d", Kind::Label, 0, PlayerSlots - 1})
        .add({"label_refused_%d", Kind::Label, 0, PlayerSlots - 1})
        .add({"image_award_%d", Kind::ImageBox, 0, 4})
        .add({"label_award_%d", Kind::Label, 0, 4})
        .add({"label_award_winners_%d", Kind::Label, 0, 4})
        .add({"label_award_why_%d", Kind::Label, 0, 4})
        .add({"container_page_night", Kind::Object})
        .add({"container_page_sips", Kind::Object})
        .add({"container_page_laps", Kind::Object})
        .add({"container_page_awards", Kind::Object})
        .add({"button_page_night", Kind::Button})
        .add({"button_page_sips", Kind::Button})
        .add({"button_page_laps", Kind::Button})
        .add({"button_page_awards", Kind::Button});
}

void EndOfNight::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_same_players", &EndOfNight::_samePlayers);
    bind("button_title", &EndOfNight::_title);
    bind("button_save_picture", &EndOfNight::_savePicture);
    for (const char* name : PageNames) {
        bind("button_page_" + kit::String(name), &EndOfNight::_choosePage);
    }
}

bool EndOfNight::_choosePage(gui::Object* tab) {
    for (size_t index = 0; index < PageNames.size(); ++index) {
        if (tab && tab->getName() == "button_page_" + kit::String(PageNames[index])) {
            showPage(static_cast<Page>(index));
            return true;
        }
    }
    return false;
}

void EndOfNight::refresh() {
    System::GameState* game = &System::game();
    int count = static_cast<int>(game->getPlayers().size());
    auto now = static_cast<unsigned int>(kit::time());
    for (int row = 0; row < PlayerSlots; ++row) {
        System::setVisible(this, System::slotName(RowPrefix, row), row < count);
        if (row < count) {
            _refreshPlayer(row, now);
        }
    }
    System::fitScrollContent(this, "scroll_area", System::slotName(RowPrefix, 1), count);
    _refreshRide();
    NightRecap::drawSips(this);
    NightRecap::drawLaps(this);
    NightRecap::drawAwards(this);
    _refreshTabs();
    Base::refresh();
}

void EndOfNight::showPage(Page shown) {
    page = shown;
    _refreshTabs();
}

// The page shown has the primary look on its tab.
void EndOfNight::_refreshTabs() {
    for (size_t index = 0; index < PageNames.size(); ++index) {
        bool shown = static_cast<size_t>(page) == index;
        kit::String name = PageNames[index];
        System::setVisible(this, "container_page_" + name, shown);
        System::setImage(this, "button_page_" + name,
                         shown ? "gui.buttons/button_primary" : "gui.buttons/button_secondary");
        System::setTextColor(this, "button_page_" + name, shown ? ShownTabText : TabText);
    }
}

// The page is saved as the next frame shows it: written beside its place, then given a free name.
void EndOfNight::_savePicture() {
    if (!pendingPicture.empty()) {
        return;
    }
    std::error_code error;
    std::filesystem::path folder = System::Pictures::folder();
    std::filesystem::create_directories(folder, error);
    if (!host::rendersys || error) {
        _keepPicture(false);
        return;
    }
    pendingPicture =
        (folder / (".swiggard-night-" + kit::toString(static_cast<int>(getpid())) + ".png")).string();
    host::rendersys->requestScreenshot(pendingPicture);
}

void EndOfNight::_updateLogic() {
    Base::_updateLogic();
    if (pendingPicture.empty() || !host::rendersys) {
        return;
    }
    if (auto result = host::rendersys->takeScreenshotResult()) {
        _keepPicture(result->second && result->first == pendingPicture);
    }
}

void EndOfNight::_keepPicture(bool written) {
    std::filesystem::path kept;
    if (written) {
        kept = System::Pictures::keep(pendingPicture, System::Pictures::folder(), pictureStem());
    } else if (!pendingPicture.empty()) {
        std::error_code error;
        std::filesystem::remove(pendingPicture, error);
    }
    pendingPicture.clear();
    savedPicture = kept.string();
    System::TempState* temp = System::tempState();
    if (!temp) {
        return;
    }
    temp->addNotification(savedPicture.empty() ? kit::String("gui.RecapNotSaved")
                                               : "{%f} gui.RecapSaved {" + shownPath(savedPicture) + "}",
                          "");
}

// Without body data there is no estimate to wear off: the figures show a dash.
void EndOfNight::_refreshPlayer(int row, unsigned int now) {
    const Game::Player* player = System::game().getPlayers()[row];
    auto slot = [row](const char* prefix) { return System::slotName(prefix, row); };
    System::setImage(this, slot("image_night_character_"), "gui.character_icons/" + player->getCharacter());
    System::showMark(this, slot("image_night_mark_"), player);
    System::setText(this, slot("label_night_name_"), player->getRichName());
    System::setImage(this, slot("image_night_style_"),
                     "gui.gui/badge_" + kit::toLower(player->getStyle().getName()));
    System::setText(this, slot("label_night_sips_"), kit::toString(player->getDrinks()));
    System::setText(this, slot("label_night_water_"), kit::toString(player->getWaterSips()));
    if (!player->getAlcoTestData()->isComplete()) {
        System::setText(this, slot("label_night_now_"), NoFigure);
        System::setText(this, slot("label_night_hours_"), NoFigure);
        return;
    }
    using Game::Sobering;
    float left = Sobering::estimateAfter(player->getEstimate(),
                                         Sobering::hoursBetween(player->getFirstSipTime(), now));
    System::setText(this, slot("label_night_now_"), Sobering::formatEstimate(left) + " %");
    System::setTextKey(
        this, slot("label_night_hours_"),
        "{%f} gui.EndOfNightHours {" + Sobering::formatHours(Sobering::hoursToZero(left)) + "}");
}

void EndOfNight::_refreshRide() {
    System::GameState* game = &System::game();
    kit::Array<Game::Player*> driving = game->getPlayers().toArray();
    std::erase_if(driving, [](const Game::Player* p) { return !p->isDriver(); });
    kit::String drivers = Game::Player::richNames(driving);
    System::setTextKey(this, "label_drivers",
                       drivers.empty() ? kit::String("gui.EndOfNightNoDriver")
                                       : "{%f} gui.EndOfNightDrivers {" + drivers + "}");
    kit::String ride = System::rideNumber();
    System::setPlainText(this, "label_ride_number", ride);
    System::setVisible(this, "label_ride_number", !ride.empty());
    System::setVisible(this, "label_no_ride", ride.empty());
}

// The new-game screen opens with these players, their styles and body data, and nothing counted.
void EndOfNight::_samePlayers() {
    System::GameState* game = &System::game();
    System::TempState* temp = System::tempState();
    if (temp) {
        game->keepPlayersForNewGame();
        temp->setSamePlayers(true);
    }
    System::goToScene("Scene::NewGame");
}

void EndOfNight::_title() {
    System::goToScene("Scene::Title");
}

}  // namespace Menu
