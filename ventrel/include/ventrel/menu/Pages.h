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

protected:
    using Handler = bool (Pages::*)(gui::Object*);
    kit::Map<gui::Object*, Handler> callbacks;
    int pageCount;
    int currentPage = 0;
    kit::String nextPageButtonName;
    kit::String previousPageButtonName;

    void _setupDataset() override;
    void _setupCallbacks() override;
    bool _inputCallback(gui::Object* object) override;
    virtual void _nextPage();
    virtual void _previousPage();
    virtual void _switchPage(int page);

    bool _ButtonNextPage(gui::Object* object);
    bool _ButtonPreviousPage(gui::Object* object);

private:
    gui::Object* _getPage(int page) const;
    void _showPage(int page);
};

}  // namespace ventrel::menu
