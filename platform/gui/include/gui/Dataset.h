#pragma once

#include <memory>

#include "gui/Object.h"
#include "host/Button.h"
#include "host/Key.h"
#include "kit/ResourceNotExistsException.h"
#include "kit/Types.h"
#include "quadrix/Vector2.h"

namespace gui {

class Animator;
class BaseImage;
class InvalidObjectTypeException;
class Texture;

// One data-set file (format: data/gui/README.md). A screen (`.gui`) holds an object tree under its
// root, its own images, textures and animators; a resource set (`.dts`, the global "gui" and "game")
// declares image folders and a text folder, and is found by its name from every other data set: an
// image "gui.buttons/yes" is folder "buttons", picture "yes" of the set "gui", a text key
// "gui.YesNoPlay" is key "YesNoPlay" of its texts.
//
// Look-ups by name raise kit::ResourceNotExistsException (kinds "object", "image", "texture",
// "animator") when the name is missing. The data set owns its objects, textures, images and animators.
class Dataset {
public:
    // `filePath` is a resource name under the read-only data root. A resource set (screen = false)
    // is registered for look-ups by its name while it is loaded.
    Dataset(const kit::String& filePath, const kit::String& name, bool screen = false);
    ~Dataset();
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    const kit::String& getName() const { return name; }
    const kit::String& getFilePath() const { return filePath; }
    bool isScreen() const { return screen; }
    // A folder (relative to the file's folder) of per-language text files: <folder>/<language>/*.xml.
    void setTextFolder(const kit::String& folder) { textFolder = folder; }
    const kit::String& getTextFolder() const { return textFolder; }
    // Declares a folder of pictures (a resource folder): images "<name>.<folder>/<picture>".
    void addImageFolder(const kit::String& folder, const kit::String& path);
    // A free text kept for the owner (set before load).
    void setExtra(const kit::String& extra) { this->extra = extra; }
    const kit::String& getExtra() const { return extra; }

    // Reads the file. False (with an error naming file and line in the log and in getError) when it
    // is missing or malformed; the data set then stays empty.
    bool load();
    void unload();
    bool isLoaded() const { return loaded; }
    const kit::String& getError() const { return error; }
    // Every key of this set's own texts that starts with the prefix, with its text in the current
    // language (the default language's where the current one lacks it).
    kit::Map<kit::String, kit::String> getTexts(const kit::String& prefix) const;
    // Re-reads the texts of the current and the default language.
    void reloadTexts();

    // One frame: animators, then the objects' animations.
    void update(float timeDelta);
    void draw();
    // Delivers the queued events to their callbacks.
    void processEvents();

    // The top object of a screen (null for a resource set).
    Object* getRoot() const { return root.get(); }
    // Makes an object made in code the root (taking ownership) of a screen without a file.
    void setRoot(Object* object);
    Object* getObject(const kit::String& name) const;
    bool hasObject(const kit::String& name) const;
    // The object as a kind; InvalidObjectTypeException when it is another kind.
    template <class T>
    T* getObjectAs(const kit::String& name, const char* kind) const;
    // Removes the object and its children from the tree and deletes them, with their animators.
    void destroyObjects(Object* object);

    // Images, textures and animators: registered ones first, then (for "set.folder/picture" names)
    // the image folders of the named resource set.
    BaseImage* getImage(const kit::String& name);
    bool hasImage(const kit::String& name);
    Texture* getTexture(const kit::String& name) const;
    bool hasTexture(const kit::String& name) const;
    Animator* getAnimator(const kit::String& name) const;
    bool hasAnimator(const kit::String& name) const;
    const kit::Array<Animator*>& getAnimators() const;
    // Take ownership; a name registered before is replaced.
    void registerTexture(Texture* texture);
    void registerImage(BaseImage* image);
    void registerAnimator(Animator* animator);
    // Named bundles of object attributes (<Style>): this data set's own first, then those of every
    // loaded resource set. Null when the name is not declared.
    void registerStyle(const kit::String& name, const kit::Map<kit::String, kit::String>& attributes);
    const kit::Map<kit::String, kit::String>* findStyle(const kit::String& name) const;
    const kit::Map<kit::String, kit::String>* findOwnStyle(const kit::String& name) const;
    // Frees the pixels of every texture of the data set (they load again when drawn).
    void unloadTextures();
    // Unloads textures not drawn for the idle time (setTextureIdleUnloadTime).
    void unloadIdleTextures(double now, double idleTime);

    // The text of a key in the current language, else the default language; "set.Key" asks the
    // resource set "set". A missing key gives ""; a composite key is resolved as a label shows it.
    kit::String getText(const kit::String& key) const;
    bool hasText(const kit::String& key) const;
    // Own texts only (no "set." prefix).
    const kit::String* findOwnText(const kit::String& key) const;

    // Whether an animator or an object animation is running.
    bool isAnimated() const;
    // Whether an animator or a queued object animation still waits for its delay.
    bool isWaitingAnimation() const;

    // Input (cursor from gui::getCursorPosition). Each returns whether the event was consumed.
    // Touches of two or more fingers (window pixels) scroll the scroll area they start on.
    bool onMouseDown(host::Key key);
    bool onMouseUp(host::Key key);
    bool onMouseCancel(host::Key key);
    bool onMouseMove();
    bool onMouseScroll(float x, float y);
    bool onKeyDown(host::Key key);
    bool onKeyUp(host::Key key);
    bool onChar(unsigned int charCode);
    bool onTouch(const kit::Array<quadrix::Vector2>& touches);
    bool onButtonDown(host::Button button);
    bool onButtonUp(host::Button button);
    // The interactive object under a point (GUI units): the topmost visible one, through all
    // transforms and clipping; null when there is none.
    Object* findObjectAt(const quadrix::Vector2& guiPosition) const;
    Object* getHoveredObject() const;
    Object* getPushedObject() const;

    // Focus (keyboard and controller).
    Object* getFocusedObject() const;
    // The focused object's focus index, -1 without one.
    int getFocusedObjectIndex() const;
    // Focuses the object with the index. Strict: only a usable one (enabled and visible through its
    // parents, not faded out to alpha 0); else any object carrying the index. False (the focus stays) when
    // there is none; -1 removes the focus.
    bool trySetFocusedObjectByIndex(int index, bool strict);
    // The object trySetFocusedObjectByIndex would focus, without focusing it; null for none.
    Object* findFocusable(int index, bool strict) const;
    bool setFocusedObject(Object* object);
    void removeFocus();
    // Focus indices in ascending order: usable = true only those of usable objects; false all.
    kit::Array<int> findPossibleFocusIndices(bool usable) const;

    // Book-keeping of the tree (called by Object).
    void _attach(Object* object);
    // `destroyed`: the object is being deleted, and its animators go with it.
    void _detach(Object* object, bool destroyed);
    void _forgetAnimatorTarget(const Object* object);
    void _queueEvent(BaseObject* object, Event event, unsigned int keyCode);

    struct Impl;

private:
    [[noreturn]] void throwInvalidType(const kit::String& name, const char* kind) const;

    kit::String filePath;
    kit::String name;
    bool screen;
    kit::String textFolder;
    kit::String extra;
    kit::String error;
    bool loaded = false;
    std::unique_ptr<Object> root;
    std::unique_ptr<Impl> impl;
};

template <class T>
T* Dataset::getObjectAs(const kit::String& objectName, const char* kind) const {
    T* object = dynamic_cast<T*>(getObject(objectName));
    if (object == nullptr) {
        throwInvalidType(objectName, kind);
    }
    return object;
}

}  // namespace gui
