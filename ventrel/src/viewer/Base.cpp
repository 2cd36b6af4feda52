#include "ventrel/viewer/Base.h"

#include <gui/Dataset.h>
#include <host/Host.h>

namespace ventrel::viewer {

Base::Base(IObservable* observed, gui::Object* graphic) : observed(observed), graphic(graphic) {}

Base::~Base() {
    for (gui::Object* object : manualRoots) {
        if (object->getDataset()) {
            object->getDataset()->destroyObjects(object);
        }
    }
}

void Base::update() {
    if (!observed || !graphic) {
        return;
    }
    if (syncSizeToModel) {
        observed->setSize(graphic->getSize());
    }
    graphic->setVisible(observed->isVisible());
    graphic->setEnabled(observed->isEnabled());
    graphic->setRect(observed->getRect());
    graphic->setScale(observed->getScale());
    graphic->setPivot(observed->getCenter());
    graphic->setZOrder(observed->getZOrder());
    graphic->setAngle(observed->getAngle());
    graphic->setAlpha(observed->getAlpha());
}

kit::String Base::_generateName() {
    return host::generateName("ventrel::Viewer");
}

}  // namespace ventrel::viewer
