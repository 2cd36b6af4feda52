#include "Menu/Dialog/PickerPlayer.h"

namespace Menu::Dialog {

PickerPlayer::PickerPlayer() : Base("menu/dialog/picker_player", Layout(14).focus(16, 2, true)) {}

ventrel::system::Contract PickerPlayer::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract()
        .add({"scroll_area", Kind::ScrollArea})
        .add({"button_dialog_%d_image", Kind::ImageBox, 0, 13})
        .add({"button_dialog_%d_text", Kind::Label, 0, 13})
        .add({"button_dialog_%d_mark", Kind::ImageBox, 0, 13});
}

}  // namespace Menu::Dialog
