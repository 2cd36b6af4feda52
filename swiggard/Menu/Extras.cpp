#include "Menu/Extras.h"

#include "System/Navigation.h"

namespace Menu {

Extras::Extras(ventrel::system::Context* owner) : TitleBase(owner, "menu/extras") {
    cancelObjectName = "button_back";
    setAutoFocusMode(7, 1, false);
}

ventrel::system::Contract Extras::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = TitleBase::getContract();
    for (const char* button :
         {"button_custom_cards", "button_hall_of_fame", "button_alco_test", "button_back"}) {
        contract.add({button, Kind::Button});
    }
    return contract;
}

void Extras::_setupCallbacks() {
    TitleBase::_setupCallbacks();
    bind("button_custom_cards", &Extras::_customCards);
    bind("button_hall_of_fame", &Extras::_hallOfFame);
    bind("button_alco_test", &Extras::_alcoTest);
    bind("button_back", &Extras::_back);
}

void Extras::_customCards() {
    System::goToScene("Scene::CustomCards");
}

void Extras::_hallOfFame() {
    System::goToScene("Scene::HallOfFame");
}

void Extras::_alcoTest() {
    System::goToScene("Scene::AlcoTest");
}

void Extras::_back() {
    System::goToScene("Scene::Title");
}

}  // namespace Menu
