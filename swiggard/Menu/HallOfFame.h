#pragma once

#include <ventrel/menu/Pages.h>

#include "System/HallOfFameRecord.h"

namespace Menu {

// The four record lists, one per page: most drinks, most laps, highest estimate and most accepted
// challenges, ten places each; and wiping them all.
class HallOfFame : public ventrel::menu::Pages {
public:
    static inline const kit::String ResetDialog = "menu/dialog/yes_no";
    static inline const kit::String ResetContext = "Menu:HallOfFame:Reset";
    static constexpr int Places = 10;

    explicit HallOfFame(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void refresh() override;
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;

    // How a page shows a record's value: the estimate as "0.07 %", the others as numbers.
    static kit::String formatValue(const kit::String& tag, int value);

protected:
    void _setupCallbacks() override;
    void _back();
    void _askReset();

private:
    void _refreshPlace(const kit::String& tag, int place,
                       const kit::Array<System::HallOfFameRecord>& records);
};

}  // namespace Menu
