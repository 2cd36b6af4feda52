#pragma once

#include <gtest/gtest.h>
#include <gui/Container.h>
#include <gui/Dataset.h>
#include <gui/ImageBox.h>
#include <kit/Strings.h>
#include <ventrel/viewer/Base.h>

#include <memory>
#include <vector>

#include "Game/Player.h"
#include "GameSession.h"
#include "System/Core.h"
#include "System/DataManager.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/TempState.h"

namespace viewertest {

using Layout = System::GameState::BoardLayout;

// The running game with a screen laid out like the board scenes: "board" holding "fields" and
// "container_players", and "lights", "background" and "clouds" beside it. Viewers are updated by hand
// and animations run by animate(), so no frame of the game interferes.
class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.waitForScene()); }

    // A fresh game of that look, every player on the start field.
    void startGame(const Layout& layout, int players) {
        System::GameState* game = System::gameState();
        game->clear();
        game->setBoardLayout(layout);
        for (int i = 0; i < players; ++i) {
            game->addPlayer(std::make_unique<Game::Player>(System::dataManager->getColors()[i],
                                                           System::dataManager->getCharacters()[i]));
        }
        game->setup();
        System::tempState()->clear();
    }
    Game::Player* player(int index) const { return System::gameState()->getPlayers()[index]; }

    // Replaces the screen and the viewers on it; returns its "board".
    gui::Object* makeBoard(bool scenery = true) {
        viewers.clear();
        static int screens = 0;
        screen = std::make_unique<gui::Dataset>("", "viewer_test_" + kit::toString(++screens), true);
        screen->setRoot(new gui::Container("root"));
        gui::Object* root = screen->getRoot();
        root->setSize(System::core()->getViewport().getSize());
        auto* board = new gui::Container("board");
        root->addChild(board);
        board->addChild(new gui::Container("fields"));
        board->addChild(new gui::Container("container_players"));
        if (!scenery) {
            return board;
        }
        for (const char* name : {"background", "lights", "clouds"}) {
            auto* picture = new gui::ImageBox(name);
            picture->setSize(400, 300);
            root->addChild(picture);
        }
        return board;
    }

    // Takes the viewer and updates it once, as a viewer set does on registration.
    template <class Kind>
    Kind* show(Kind* viewer) {
        viewers.emplace_back(viewer);
        viewer->update();
        return viewer;
    }

    void animate(float seconds) {
        for (float passed = 0.0f; passed < seconds; passed += Frame) {
            screen->update(Frame);
        }
    }

    gui::Object* object(const kit::String& name) const { return screen->getObject(name); }
    kit::String imageOf(const kit::String& name) const {
        return static_cast<gui::ImageBox*>(object(name))->getImageName();
    }
    gui::Object* containerPlayers() const { return object("container_players"); }

    static constexpr float Frame = 1.0f / 64.0f;

    e2etest::GameSession session;
    std::unique_ptr<gui::Dataset> screen;
    // Go before the screen whose objects they built.
    std::vector<std::unique_ptr<ventrel::viewer::Base>> viewers;
};

}  // namespace viewertest
