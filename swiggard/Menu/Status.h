#pragma once

#include <ventrel/menu/Base.h>

namespace Menu {

// The list of the game's players, fourteen slots: picture, name, gender and body data, each with a
// second view of the body data, and the button that takes a player out of the game or brings him back.
class Status : public ventrel::menu::Base {
public:
    static constexpr int PlayerSlots = 14;
    static inline const kit::String ReleaseDialog = "menu/dialog/yes_no";
    static inline const kit::String ReleaseContext = "Menu:Status:ReleasePhone";

    Status(ventrel::system::Context* owner, const kit::String& name);

    ventrel::system::Contract getContract() const override;
    void refresh() override;
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;

protected:
    void _setupCallbacks() override;
    // The scrolled list is as long as its players.
    virtual void _resizeScrollArea();
    bool _showAlcoTest(gui::Object* button);
    bool _hideAlcoTest(gui::Object* button);
    bool _askRelease(gui::Object* button);
    // A row that opened its body data, for a list that keeps it in view.
    virtual void _rowOpened(int) {}

private:
    void _refreshPlayer(int index);
    void _refreshPresence(int index, bool playing);
    void _showAlcoTestView(gui::Object* button, const kit::String& prefix, bool alcoTest);
};

}  // namespace Menu
