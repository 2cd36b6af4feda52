#pragma once

#include <ventrel/menu/Base.h>

namespace Menu {

// The end of the night: every player's style, sips and water, the estimate now and the hours until
// it wears off, who drives and the taxi number; then the recap's pages: the sips over the turns, the
// laps and challenges, and the awards, each of which can be saved as a picture. A new game with the
// same players, or the title. The game stays saved, so the title can still resume it until a new game
// starts.
//
// Looked up: the rows "container_night_player_%d" with their character, name, style badge, sips,
// water, estimate now and hours; "scroll_area", "label_drivers", "label_ride_number",
// "label_no_ride", "image_taxi"; the pages "container_page_%s" and their tabs "button_page_%s" (night,
// sips, laps, awards), the objects the recap draws into (see NightRecap), and the buttons
// "button_save_picture", "button_same_players" and "button_title".
class EndOfNight : public ventrel::menu::Base {
public:
    static constexpr int PlayerSlots = 14;
    enum class Page { Night, Sips, Laps, Awards };

    explicit EndOfNight(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void refresh() override;
    void showPage(Page page);
    Page getPage() const { return page; }
    // The picture last saved, empty before one is or when it could not be.
    const kit::String& getSavedPicture() const { return savedPicture; }

protected:
    void _setupCallbacks() override;
    void _updateLogic() override;
    void _samePlayers();
    void _title();
    void _savePicture();
    bool _choosePage(gui::Object* tab);

private:
    Page page = Page::Night;
    // The screenshot being written, until its frame is shown.
    kit::String pendingPicture;
    kit::String savedPicture;

    void _refreshPlayer(int row, unsigned int now);
    void _refreshRide();
    void _refreshTabs();
    void _keepPicture(bool written);
};

}  // namespace Menu
