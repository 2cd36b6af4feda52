#pragma once

#include "Menu/TitleBase.h"

namespace Menu {

// The extras hub: the custom-card editor, the hall of fame and the blood-alcohol calculator.
class Extras : public TitleBase {
public:
    explicit Extras(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;

protected:
    void _setupCallbacks() override;
    void _customCards();
    void _hallOfFame();
    void _alcoTest();
    void _back();
};

}  // namespace Menu
