#include "ventrel/menu/Pages.h"

#include <kit/Strings.h>

#include <algorithm>

namespace ventrel::menu {

Pages::Pages(system::Context* owner, const kit::String& name, int pageCount)
    : Base(owner, name), pageCount(pageCount) {}

system::Contract Pages::getContract() const {
    system::Contract contract = Base::getContract();
    contract.add({"page_%d", system::Contract::Kind::Object, 0, pageCount - 1});
    for (const kit::String& name : {nextPageButtonName, previousPageButtonName}) {
        if (!name.empty()) {
            contract.add({name, system::Contract::Kind::Button});
        }
    }
    return contract;
}

void Pages::_setupDataset() {
    Base::_setupDataset();
    if (pageCount <= 0) {
        return;
    }
    for (int page = 0; page < pageCount; ++page) {
        if (gui::Object* object = _getPage(page)) {
            object->setVisible(page == 0);
        }
    }
}

void Pages::_setupCallbacks() {
    if (!nextPageButtonName.empty()) {
        bind(nextPageButtonName, &Pages::_buttonNextPage);
    }
    if (!previousPageButtonName.empty()) {
        bind(previousPageButtonName, &Pages::_buttonPreviousPage);
    }
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

bool Pages::_buttonNextPage(gui::Object*) {
    _nextPage();
    return true;
}

bool Pages::_buttonPreviousPage(gui::Object*) {
    _previousPage();
    return true;
}

gui::Object* Pages::_getPage(int page) const {
    return getObject("page_" + kit::toString(page));
}

void Pages::_showPage(int page) {
    for (int index : {currentPage, page}) {
        if (gui::Object* object = _getPage(index)) {
            object->setVisible(index == page);
        }
    }
    currentPage = page;
    refresh();
}

}  // namespace ventrel::menu
