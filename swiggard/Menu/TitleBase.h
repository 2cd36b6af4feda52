#pragma once

#include <ventrel/menu/Base.h>

namespace Menu {

// The promotion corner of the title and extras screens: more games, the social page (which unlocks
// a character), the shirt shop, their buttons wobbling on one clock that carries over between the
// two screens.
class TitleBase : public ventrel::menu::Base {
public:
    TitleBase(ventrel::system::Context* owner, const kit::String& name);

    ventrel::system::Contract getContract() const override;
    void setup() override;
    void finish() override;
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;

protected:
    void _setupDataset() override;
    void _setupCallbacks() override;
    void _moreGames();
    void _like();
    void _shirt();
};

}  // namespace Menu
