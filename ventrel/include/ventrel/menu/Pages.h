#pragma once

#include <kit/Types.h>

#include "ventrel/menu/Base.h"

namespace ventrel::menu {

// A menu whose content is split into the objects "page_0" ... "page_<count - 1>", one shown at a
// time; the next and previous buttons wrap around.
class Pages : public Base {
public:
    Pages(system::Context* owner, const kit::String& name, int pageCount);

    int getPageCount() const { return pageCount; }
    int getCurrentPage() const { return currentPage; }
    system::Contract getContract() const override;

protected:
    int pageCount;
    int currentPage = 0;
    kit::String nextPageButtonName;
    kit::String previousPageButtonName;

    void _setupDataset() override;
    void _setupCallbacks() override;
    virtual void _nextPage();
    virtual void _previousPage();
    virtual void _switchPage(int page);

    bool _buttonNextPage(gui::Object* object);
    bool _buttonPreviousPage(gui::Object* object);

private:
    gui::Object* _getPage(int page) const;
    void _showPage(int page);
};

}  // namespace ventrel::menu
