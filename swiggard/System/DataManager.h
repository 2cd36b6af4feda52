#pragma once

#include <kit/OwnedView.h>
#include <kit/Types.h>
#include <quadrix/Vector2.h>
#include <ventrel/system/DataManager.h>

#include <cstddef>
#include <memory>

#include "Game/AlcoTestData.h"
#include "Game/Field.h"

namespace System {

// Every piece of content compiled into the game: player colours, characters and their token offsets,
// custom-card icons, the board's fields, the surprise cards and the 40 positions of the board.
class DataManager : public ventrel::system::DataManager {
public:
    explicit DataManager(const kit::String& path);
    ~DataManager() override;
    DataManager(const DataManager&) = delete;
    DataManager& operator=(const DataManager&) = delete;

    // The second block of surprise cards; added once at start-up.
    void addExtraSurpriseCards();

    // The first field with that id, or null.
    Game::Field* getFieldById(int id) const;
    // The field's actions without the variant meant for the other gender.
    static kit::Array<Game::Action> getActionsFor(const Game::Field* field,
                                                  const Game::AlcoTestData::Gender& gender);
    // Whether the player picker of that action type must not offer the current player.
    static bool isSelfExcludedType(const kit::String& type);

    // Colours as "RRGGBBAA".
    const kit::Array<kit::String>& getColors() const { return colors; }
    const kit::Array<kit::String>& getCharacters() const { return characters; }
    const kit::Array<quadrix::Vector2>& getTokenOffsets() const { return tokenOffsets; }
    // The token offset of a character id of the list; (0, 0) for an unknown id.
    quadrix::Vector2 getTokenOffset(const kit::String& character) const;
    const kit::Array<kit::String>& getCustomCardIcons() const { return customCardIcons; }
    const kit::Array<kit::String>& getCountedIcons() const { return countedIcons; }
    const kit::Array<kit::String>& getAlwaysCountedIcons() const { return alwaysCountedIcons; }
    kit::OwnedView<Game::Field> getFields() const { return kit::OwnedView<Game::Field>(fields); }
    const kit::Array<Game::Field*>& getSurpriseCards() const { return surpriseCards; }
    // Positions 0 to 39 of the classic board; null marks a surprise position.
    const kit::Array<Game::Field*>& getBoard() const { return board; }

private:
    kit::Array<kit::String> colors;
    kit::Array<kit::String> characters;
    kit::Array<kit::String> customCardIcons;
    kit::Array<quadrix::Vector2> tokenOffsets;
    kit::Array<kit::String> countedIcons;
    kit::Array<kit::String> alwaysCountedIcons;
    kit::Array<std::unique_ptr<Game::Field>> fields;
    // The surprise cards and the board positions point into the fields.
    kit::Array<Game::Field*> surpriseCards;
    kit::Array<Game::Field*> board;
    bool extraSurpriseCardsAdded = false;

    // Parses the fields' lines into the fields and answers the new ones.
    template <size_t N>
    kit::Array<Game::Field*> _addFields(const char* const (&lines)[N]);
};

}  // namespace System
