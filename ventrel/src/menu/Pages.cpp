#include "ventrel/menu/Pages.h"

#include <kit/Strings.h>

#include <algorithm>

namespace ventrel::menu {

Pages::Pages(system::Context* owner, const kit::String& name, int pageCount)
    : Base(owner, name), pageCount(pageCount) {}

void Pages::_setupDataset() {
    Base::_setupDataset();
    if (pageCount <= 0) {
        return;
    }
    _getPage(0)->setVisible(true);
    for (int page = 1; page < pageCount; ++page) {
        _getPage(page)->setVisible(false);
    }
}

void Pages::_setupCallbacks() {
    if (!nextPageButtonName.empty()) {
        _bindCallback(callbacks, getObject(nextPageButtonName), &Pages::_ButtonNextPage);
    }
    if (!previousPageButtonName.empty()) {
        _bindCallback(callbacks, getObject(previousPageButtonName), &Pages::_ButtonPreviousPage);
    }
}

bool Pages::_inputCallback(gui::Object* object) {
    return _dispatchCallback(callbacks, object);
}

// A menu without pages has nothing to turn (and no modulus to take).
void Pages::_nextPage() {
    if (pageCount > 0) {
        _showPage((currentPage + 1) % pageCount);
    }
}

void Pages::_previousPage() {
    if (pageCount > 0) {
        _showPage((currentPage - 1 + pageCount) % pageCount);
    }
}

void Pages::_switchPage(int page) {
    if (pageCount > 0) {
        _showPage(std::clamp(page, 0, pageCount - 1));
    }
}

bool Pages::_ButtonNextPage(gui::Object*) {
    _nextPage();
    return true;
}

bool Pages::_ButtonPreviousPage(gui::Object*) {
    _previousPage();
    return true;
}

gui::Object* Pages::_getPage(int page) const {
    return getObject("page_" + kit::toString(page));
}

void Pages::_showPage(int page) {
    _getPage(currentPage)->setVisible(false);
    currentPage = page;
    _getPage(currentPage)->setVisible(true);
    refresh();
}

}  // namespace ventrel::menu
