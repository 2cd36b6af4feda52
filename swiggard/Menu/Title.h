#pragma once

#include "Menu/TitleBase.h"

namespace Menu {

class Localization;

// The title's main menu: resume (with an autosave), play, settings, help, extras, credits, quit and
// the language flags.
class Title : public TitleBase {
public:
    static inline const kit::String PlayDialog = "menu/dialog/yes_no";
    static inline const kit::String PlayContext = "Dialog:Play";

    explicit Title(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void refresh() override;
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;

protected:
    Localization* localization = nullptr;

    void _setupMenus() override;
    void _setupDataset() override;
    void _setupCallbacks() override;
    void _resume();
    void _play();
    void _settings();
    void _help();
    void _extras();
    void _credits();
    void _exit();
    void _language();

private:
    static bool _isLocalizationSwitcherOn();
    void _placeResume(bool saved);
};

}  // namespace Menu
