#include "gui/Texture.h"

#include "gui/Gui.h"
#include "host/Texture.h"

namespace gui {

Texture::Texture(const kit::String& name, host::Texture* texture) : name(name), texture(texture) {}

Texture::~Texture() {
    delete texture;
}

void Texture::ensureMetaData() const {
    if (texture != nullptr && texture->getWidth() == 0 && !texture->isFailed()) {
        texture->loadMetaData();
    }
}

int Texture::getWidth() const {
    ensureMetaData();
    return texture == nullptr ? 0 : texture->getWidth();
}

int Texture::getHeight() const {
    ensureMetaData();
    return texture == nullptr ? 0 : texture->getHeight();
}

void Texture::load() {
    if (texture != nullptr && !texture->isLoaded()) {
        texture->load();
    }
}

void Texture::unload() {
    if (texture != nullptr && texture->isLoaded() && !texture->getFilename().empty()) {
        texture->unload();
    }
}

bool Texture::isLoaded() const {
    return texture != nullptr && texture->isLoaded();
}

void Texture::markUsed() {
    lastUseTime = getTime();
}

}  // namespace gui
