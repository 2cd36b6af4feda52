#include <gtest/gtest.h>
#include <kit/Dir.h>
#include <kit/File.h>
#include <kit/Format.h>
#include <kit/ResourceDir.h>

#include <regex>
#include <set>

#include "Game/AlcoTestData.h"
#include "System/DataManager.h"

// Everything the catalogue can put on screen exists: pictures, sounds and texts in every language.
namespace {

const kit::Array<kit::String> Languages = {"en", "cs", "de", "es", "fr", "pt", "ru", "zh-HANT"};

// The keys of one language, read straight from its text files.
std::set<kit::String> textKeys(const kit::String& language) {
    std::set<kit::String> keys;
    kit::String folder = kit::Dir::joinPath(SWIGGARD_SOURCE_DIR, "data/gui/texts/" + language);
    static const std::regex key("<string name=\"([^\"]+)\"");
    for (const kit::String& file : kit::Dir::files(folder)) {
        kit::String text = kit::File::readText(kit::Dir::joinPath(folder, file));
        for (std::sregex_iterator it(text.begin(), text.end(), key), end; it != end; ++it) {
            keys.insert("gui." + (*it)[1].str());
        }
    }
    return keys;
}

bool hasImage(const kit::String& set, const kit::String& folder, const kit::String& picture) {
    return kit::ResourceDir::exists("data/gui/images/" + set + "/" + folder + "/" + picture + ".png");
}

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override { catalogue.addExtraSurpriseCards(); }

    kit::Array<Game::Field*> allFields() const {
        kit::Array<Game::Field*> all = catalogue.getFields().toArray();
        all.insert(all.end(), catalogue.getSurpriseCards().begin(), catalogue.getSurpriseCards().end());
        return all;
    }

    System::DataManager catalogue{"data"};
};

}  // namespace

TEST_F(Catalogue, EveryFieldAndActionHasItsPicturesInBothLooks) {
    for (int corner = 0; corner < 4; ++corner) {
        EXPECT_TRUE(hasImage("game", "fields", kit::format("corner_%d", corner)));
    }
    for (const Game::Field* field : allFields()) {
        if (field->icon.empty()) {
            // Corners show their own pictures.
            EXPECT_TRUE(field->corner) << field->id;
            continue;
        }
        for (const char* look : {"fields", "fields2"}) {
            EXPECT_TRUE(hasImage("game", look, field->icon))
                << look << "/" << field->icon << " of " << field->id;
        }
        for (const Game::Action& action : field->actions) {
            if (!action.imageName.empty()) {
                EXPECT_TRUE(hasImage("game", "fields", action.imageName))
                    << action.imageName << " of " << field->id;
            }
        }
    }
    for (const kit::String& icon : catalogue.getCustomCardIcons()) {
        EXPECT_TRUE(hasImage("game", "fields", icon)) << icon;
        EXPECT_TRUE(hasImage("game", "fields2", icon)) << icon;
    }
}

TEST_F(Catalogue, EveryCharacterAndColourHasItsPictures) {
    for (const kit::String& character : catalogue.getCharacters()) {
        EXPECT_TRUE(hasImage("gui", "characters", character)) << character;
        EXPECT_TRUE(hasImage("gui", "character_icons", character)) << character;
    }
    for (const kit::String& colour : catalogue.getColors()) {
        EXPECT_TRUE(hasImage("gui", "buttons", "color_" + colour)) << colour;
    }
}

TEST_F(Catalogue, EverySoundExists) {
    if (!kit::ResourceDir::isDirectory("data/audio/sound")) {
        GTEST_SKIP() << "the sounds were not built";
    }
    for (const Game::Field* field : allFields()) {
        for (const Game::Action& action : field->actions) {
            if (!action.sound.empty()) {
                EXPECT_TRUE(kit::ResourceDir::exists("data/audio/sound/" + action.sound + ".ogg"))
                    << action.sound;
            }
        }
    }
}

TEST_F(Catalogue, EveryActionTextExistsInEveryLanguage) {
    std::set<kit::String> needed;
    for (const Game::Field* field : allFields()) {
        for (const auto& gender : {Game::AlcoTestData::Gender::male, Game::AlcoTestData::Gender::female}) {
            for (const Game::Action& action : System::DataManager::getActionsFor(field, gender)) {
                needed.insert(action.getTextKey());
            }
        }
    }
    EXPECT_GT(needed.size(), 50u);
    for (const kit::String& language : Languages) {
        std::set<kit::String> keys = textKeys(language);
        for (const kit::String& key : needed) {
            EXPECT_TRUE(keys.count(key)) << key << " missing in " << language;
        }
    }
}
