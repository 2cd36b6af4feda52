#include "Menu/AlcoTest.h"

#include <gui/EditBox.h>

#include <gui/Dataset.h>
#include <gui/Gui.h>
#include <kit/Strings.h>
#include <kit/Time.h>

#include <algorithm>
#include <cmath>

#include "Game/AlcoTestUnits.h"
#include "System/Navigation.h"
#include "System/Objects.h"

namespace Menu {

namespace {

using Units = Game::AlcoTestUnits;

const char* const PermilleBox = "text_permille";
const char* const SipsBox = "text_sips";
const char* const VolumeBox = "text_volume";
const char* const WeightBox = "text_weight";

}  // namespace

AlcoTest::AlcoTest(ventrel::system::Context* owner) : Base(owner, "menu/alco_test") {
    confirmObjectName = "button_ok";
    cancelObjectName = "button_ok";
    setAutoFocusMode(9, 1, false);
}

ventrel::system::Contract AlcoTest::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Base::getContract();
    for (const char* button : {"button_gender", "button_stomach", "button_disclaimer", "button_disclaimer_ok",
                               "button_disclaimer_ok_full", "button_info", "button_info_ok", "button_ok"}) {
        contract.add({button, Kind::Button});
    }
    for (const char* box : {PermilleBox, SipsBox, VolumeBox, WeightBox}) {
        contract.add({box, Kind::EditBox});
    }
    for (const char* label : {"label_volume", "label_weight", "label_bac", "label_info"}) {
        contract.add({label, Kind::Label});
    }
    return contract.add({"container_disclaimer", Kind::Object})
        .add({"container_info", Kind::Object})
        .add({"scroll_area", Kind::ScrollArea});
}

void AlcoTest::_setupDataset() {
    Base::_setupDataset();
    bool imperial = Units::getUnitSystem() == Units::UnitSystem::Imperial;
    System::setText(this, "label_volume", imperial ? "oz" : "ml");
    System::setText(this, "label_weight", imperial ? "lbs" : "kg");
    // The explanation is not translated for Russian players.
    if (kit::startsWith(gui::getLocalization(), "ru")) {
        System::setVisible(this, "button_info", false);
    }
    // Enter or leaving a box takes the typed number.
    for (const char* box : {PermilleBox, SipsBox, VolumeBox, WeightBox}) {
        System::watchEditBox(this, box, [this] {
            _readEditBoxes();
            refresh();
        });
    }
}

void AlcoTest::_setupDatasetAspect() {
    Base::_setupDatasetAspect();
    System::fitTextToScrollArea(this, "label_info", "scroll_area");
}

void AlcoTest::_readEditBoxes() {
    auto units = Units::getUnitSystem();
    auto number = [this](const char* box) { return Units::parseNumber(System::getLabelText(this, box)); };
    data.setPermille(Units::permilleFromPercent(number(PermilleBox)));
    sips = static_cast<int>(std::lround(std::clamp(number(SipsBox), 0.0f, static_cast<float>(MaxSips))));
    data.setVolume(Units::volumeFromDisplay(number(VolumeBox), units));
    data.setWeight(Units::weightFromDisplay(number(WeightBox), units));
}

void AlcoTest::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_gender", &AlcoTest::_toggleGender);
    bind("button_stomach", &AlcoTest::_stepStomach);
    bind("button_disclaimer", &AlcoTest::_showDisclaimer);
    bind("button_disclaimer_ok", &AlcoTest::_hideDisclaimer);
    bind("button_disclaimer_ok_full", &AlcoTest::_hideDisclaimer);
    bind("button_info", &AlcoTest::_showInfo);
    bind("button_info_ok", &AlcoTest::_hideInfo);
    bind("button_ok", &AlcoTest::_back);
}

void AlcoTest::refresh() {
    auto units = Units::getUnitSystem();
    System::setImage(this, "button_gender", "gui.buttons/" + data.getGender().getName());
    System::setImage(this, "button_stomach", "gui.buttons/" + data.getStomach().getName());
    System::setText(this, PermilleBox, Units::formatNumber(Units::permilleToPercent(data.getPermille())));
    System::setText(this, SipsBox, Units::formatNumber(static_cast<float>(sips)));
    System::setText(this, VolumeBox, Units::formatNumber(Units::volumeToDisplay(data.getVolume(), units)));
    System::setText(this, WeightBox, Units::formatNumber(Units::weightToDisplay(data.getWeight(), units)));
    Base::refresh();
}

// The estimate follows what is entered once the typing is done.
void AlcoTest::_updateLogic() {
    Base::_updateLogic();
    if (getDataset() && dynamic_cast<gui::EditBox*>(getDataset()->getFocusedObject())) {
        return;
    }
    data.setStartTime(static_cast<unsigned int>(kit::time()));
    System::setText(this, "label_bac", Units::formatEstimate(data.estimate(sips)));
}

void AlcoTest::_toggleGender() {
    data.setGender(data.getGender().next());
    refresh();
}

void AlcoTest::_stepStomach() {
    data.setStomach(data.getStomach().next());
    refresh();
}

void AlcoTest::_setFront(const kit::String& container, bool shown, const kit::String& button) {
    System::setVisible(this, container, shown);
    confirmObjectName = shown ? button : kit::String("button_ok");
    cancelObjectName = confirmObjectName;
}

void AlcoTest::_showDisclaimer() {
    _setFront("container_disclaimer", true, "button_disclaimer_ok");
}

void AlcoTest::_hideDisclaimer() {
    _setFront("container_disclaimer", false, "");
}

void AlcoTest::_showInfo() {
    _setFront("container_info", true, "button_info_ok");
}

void AlcoTest::_hideInfo() {
    _setFront("container_info", false, "");
}

void AlcoTest::_back() {
    System::goToScene("Scene::Extras");
}

}  // namespace Menu
