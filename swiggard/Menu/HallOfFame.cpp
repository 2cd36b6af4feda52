#include "Menu/HallOfFame.h"

#include <kit/Format.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SceneManager.h>

#include "Game/AlcoTestUnits.h"
#include "System/Globals.h"
#include "System/Navigation.h"
#include "System/Objects.h"
#include "System/TempState.h"

namespace Menu {

namespace {

struct Page {
    const kit::String& key;
    const char* tag;
};

const Page RecordPages[] = {{System::TempState::HallOfFameDrinks, "drinks"},
                            {System::TempState::HallOfFameLaps, "laps"},
                            {System::TempState::HallOfFameBac, "bac"},
                            {System::TempState::HallOfFameChallenges, "challenges"}};

kit::String suffix(const kit::String& tag, int place) {
    return kit::format("_%s_%d", tag.c_str(), place);
}

}  // namespace

HallOfFame::HallOfFame(ventrel::system::Context* owner) : Pages(owner, "menu/hall_of_fame", 4) {
    nextPageButtonName = "button_right";
    previousPageButtonName = "button_left";
    confirmObjectName = "button_ok";
    cancelObjectName = "button_ok";
    setAutoFocusMode(4, 4, false);
}

ventrel::system::Contract HallOfFame::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Pages::getContract();
    contract.add({"button_ok", Kind::Button}).add({"button_reset", Kind::Button});
    for (const Page& page : RecordPages) {
        kit::String tag = page.tag;
        contract.add({"image_rank_" + tag + "_%d", Kind::ImageBox, 0, Places - 1})
            .add({"label_rank_" + tag + "_%d", Kind::Label, 0, Places - 1})
            .add({"container_entry_data_" + tag + "_%d", Kind::Object, 0, Places - 1})
            .add({"image_character_" + tag + "_%d", Kind::ImageBox, 0, Places - 1})
            .add({"label_name_" + tag + "_%d", Kind::Label, 0, Places - 1})
            .add({"label_value_" + tag + "_%d", Kind::Label, 0, Places - 1});
    }
    return contract;
}

void HallOfFame::_setupCallbacks() {
    Pages::_setupCallbacks();
    bind("button_ok", &HallOfFame::_back);
    bind("button_reset", &HallOfFame::_askReset);
}

kit::String HallOfFame::formatValue(const kit::String& tag, int value) {
    return tag == "bac" ? Game::AlcoTestUnits::formatEstimate(value) + " %" : kit::toString(value);
}

void HallOfFame::refresh() {
    for (const Page& page : RecordPages) {
        kit::Array<System::HallOfFameRecord> records = System::TempState::loadHallOfFame(page.key);
        for (int place = 0; place < Places; ++place) {
            _refreshPlace(page.tag, place, records);
        }
    }
    Pages::refresh();
}

void HallOfFame::_refreshPlace(const kit::String& tag, int place,
                               const kit::Array<System::HallOfFameRecord>& records) {
    kit::String end = suffix(tag, place);
    System::setImage(this, "image_rank" + end, "gui.buttons/rank_" + kit::toString(place + 1));
    System::setText(this, "label_rank" + end, kit::toString(place + 1));
    bool filled = place < static_cast<int>(records.size());
    System::setVisible(this, "container_entry_data" + end, filled);
    if (!filled) {
        return;
    }
    const System::HallOfFameRecord& record = records[place];
    System::setImage(this, "image_character" + end, "gui.character_icons/" + record.character);
    if (kit::startsWith(record.name, System::TempState::DefaultNamePrefix)) {
        System::setTextKey(this, "label_name" + end, record.name);
    } else {
        System::setPlainText(this, "label_name" + end, record.name);
    }
    System::setText(this, "label_value" + end, formatValue(tag, record.value));
}

void HallOfFame::_back() {
    System::goToScene("Scene::Extras");
}

void HallOfFame::_askReset() {
    ventrel::sceneManager->showDialog(ResetDialog, this, this, "gui.YesNoResetHallOfFame", ResetContext);
}

void HallOfFame::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    if (dialog != ResetDialog || context != ResetContext) {
        Pages::dialogResult(dialog, button, context);
        return;
    }
    if (button != 0) {
        return;
    }
    for (const Page& page : RecordPages) {
        System::profile().set(page.key, "");
    }
    System::profile().save();
    refresh();
}

}  // namespace Menu
