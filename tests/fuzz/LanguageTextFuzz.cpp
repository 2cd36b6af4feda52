#include <fonts/Markup.h>
#include <kit/Dir.h>
#include <kit/File.h>
#include <kit/Log.h>
#include <kit/ResourceDir.h>

#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "Internal.h"

// The input is the text file of a language. It loads without harm, and every text it gives is shown
// as a label shows it: as mark-up, and as the format of a composite key.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const kit::String file = [] {
        kit::Log::setConsoleEnabled(false);
        const kit::String& root = fuzzFolder("texts_fuzz");
        kit::Dir::create(kit::Dir::joinPath(root, "texts/en"));
        kit::ResourceDir::setRoot(root);
        return kit::Dir::joinPath(root, "texts/en/strings.xml");
    }();
    kit::File::write(file, kit::String(reinterpret_cast<const char*>(data), size));

    kit::Map<kit::String, kit::String> texts;
    gui::internal::loadTexts("texts", "en", texts);
    for (const auto& [key, text] : texts) {
        fonts::Markup::parse(text);
        fonts::Markup::parse(
            gui::internal::resolveTextKey("{%f} {" + text + "} {1} {2} " + key, nullptr, true));
    }
    return 0;
}
