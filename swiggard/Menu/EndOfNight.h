#pragma once

#include <ventrel/menu/Base.h>

namespace Menu {

// The end of the night: every player's style, sips and water, the estimate now and the hours until
// it wears off, who drives and the taxi number; a new game with the same players, or the title. The
// game stays saved, so the title can still resume it until a new game starts.
//
// Looked up: the rows "container_night_player_%d" with their character, name, style badge, sips,
// water, estimate now and hours; "scroll_area", "label_drivers", "label_ride_number",
// "label_no_ride", "image_taxi", and the buttons "button_same_players" and "button_title".
class EndOfNight : public ventrel::menu::Base {
public:
    static constexpr int PlayerSlots = 14;

    explicit EndOfNight(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void refresh() override;

protected:
    void _setupCallbacks() override;
    void _samePlayers();
    void _title();

private:
    void _refreshPlayer(int row, unsigned int now);
    void _refreshRide();
};

}  // namespace Menu
