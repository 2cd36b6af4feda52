#pragma once

#include <gui/Dataset.h>
#include <kit/Types.h>

#include <initializer_list>

namespace ventrel::system {

// The GUI objects a screen's code looks up, each with the kind it needs. A screen states its contract
// once; when its data set is loaded, every object that is missing or of another kind gives one error
// line naming the file, the object and the kind expected, so a broken layout is found at once
// instead of when somebody presses the wrong button.
class Contract {
public:
    enum class Kind {
        Object,
        Container,
        ImageBox,
        Label,
        EditBox,
        Button,
        ToggleButton,
        ScrollArea,
        ProgressBar,
        Animator
    };

    // A name with a printf-style number ("label_drinks_%d", "field_number_%02d") stands for every
    // index from `first` to `last`.
    struct Entry {
        kit::String name;
        Kind kind = Kind::Object;
        int first = 0;
        int last = 0;
    };

    Contract() = default;
    Contract(std::initializer_list<Entry> entries) : entries(entries) {}

    // Adds another contract's entries (a subclass extends its base's contract).
    Contract& add(const Contract& other);
    Contract& add(const Entry& entry);
    const kit::Array<Entry>& getEntries() const { return entries; }
    // Every object name the entries stand for, with its kind, in order.
    kit::Array<std::pair<kit::String, Kind>> expand() const;
    // The error lines for the loaded data set; empty when it keeps the contract.
    kit::Array<kit::String> check(const gui::Dataset& dataset) const;

    static const char* getKindName(Kind kind);
    // Whether the object is of the kind (a toggle button is a button, an edit box or a button a label).
    static bool matches(const gui::Object* object, Kind kind);

private:
    kit::Array<Entry> entries;
};

}  // namespace ventrel::system
