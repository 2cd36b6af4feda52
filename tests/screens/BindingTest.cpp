// One-line binding, the contract check of a screen's layout, and layouts read from the fallback folder.
#include <ventrel/system/Context.h>

#include <type_traits>

#include "ScreensFixture.h"

namespace screenstest {
namespace {

static_assert(!std::is_copy_constructible_v<ventrel::system::Context> &&
                  !std::is_copy_assignable_v<ventrel::system::Context>,
              "a screen owns its data set, menus and viewer set");

using Kind = ventrel::system::Contract::Kind;

// Looks up a button, three rows (one missing), a scroll list (a container in the file) and an animator.
class ContractScene : public ventrel::scene::Base {
public:
    explicit ContractScene(const kit::String& name = "scene/contract") : Base(name, "") {}
    kit::Array<kit::String> calls;

    ventrel::system::Contract getContract() const override {
        return {{"button_go", Kind::Button},
                {"image_row_%d", Kind::ImageBox, 0, 2},
                {"list_scores", Kind::ScrollArea},
                {"animator_pulse", Kind::Animator}};
    }
    using Base::bind;

protected:
    void _setupCallbacks() override {
        bind("button_go", &ContractScene::go);
        bind("button_void", &ContractScene::plain);
        bind("button_missing", &ContractScene::go);
    }
    bool go(gui::Object* object) {
        calls.push_back("go:" + object->getName());
        return true;
    }
    void plain() { calls.push_back("plain"); }
    void rebound() { calls.push_back("rebound"); }
    std::unique_ptr<Base> _createNew() override { return std::make_unique<ContractScene>(rootName); }

    friend class BindingTest_ABindingCanBeReplaced_Test;
};

using BindingTest = ScreensFixture;

TEST_F(BindingTest, ContractNamesEveryMissingOrWronglyKindedObjectAndTheScreenStillRuns) {
    LogLines log;
    auto* scene = startScene<ContractScene>([] { return std::make_unique<ContractScene>(); });
    const kit::String file = "data/screens_tests/scene/contract.gui";
    EXPECT_EQ(scene->getContractErrors(),
              (kit::Array<kit::String>{file + ": object 'image_row_2' is missing; expected ImageBox",
                                       file + ": object 'list_scores' is Container; expected ScrollArea"}));
    EXPECT_TRUE(
        log.has(kit::Log::Level::Error, file + ": object 'image_row_2' is missing; expected ImageBox"));
    // Look-ups of what is missing give null; the rest of the screen works.
    EXPECT_EQ(scene->getObject("image_row_2"), nullptr);
    EXPECT_EQ(scene->getAnimator("animator_none"), nullptr);
    click(scene->getObject("button_go"));
    step(1);
    EXPECT_EQ(scene->calls, (kit::Array<kit::String>{"go:button_go"}));
}

TEST_F(BindingTest, BoundOperationsTakeTheObjectOrNothingAndCountAsHandled) {
    auto* scene = startScene<ContractScene>([] { return std::make_unique<ContractScene>(); });
    click(scene->getObject("button_void"));
    step(1);
    EXPECT_EQ(scene->calls, (kit::Array<kit::String>{"plain"}));
    // Handled: the rest of the frame takes no input.
    EXPECT_FALSE(scene->isInputAllowed());
    EXPECT_TRUE(scene->isBound(scene->getObject("button_go")));
}

TEST_F(BindingTest, ABindingCanBeReplaced) {
    auto* scene = startScene<ContractScene>([] { return std::make_unique<ContractScene>(); });
    scene->bind("button_go", &ContractScene::rebound);
    click(scene->getObject("button_go"));
    step(1);
    // One operation per object: the later binding replaces the first, and the click runs once.
    EXPECT_EQ(scene->calls, (kit::Array<kit::String>{"rebound"}));
}

TEST_F(BindingTest, AScreenWithoutItsOwnLayoutReadsTheFallbackOne) {
    LogLines log;
    kit::String fallback = "data/screens_tests/fallback";
    core->setGuiFallbackPath(fallback);
    auto* only =
        startScene<ContractScene>([] { return std::make_unique<ContractScene>("scene/fallback_only"); });
    EXPECT_EQ(only->getDataset()->getFilePath(), fallback + "/scene/fallback_only.gui");
    EXPECT_NE(only->getObject("button_here"), nullptr);
    EXPECT_TRUE(log.has(kit::Log::Level::Debug,
                        "No layout 'data/screens_tests/scene/fallback_only.gui': using the one "
                        "of data/screens_tests/fallback"));
    // A screen that has its own layout keeps it.
    auto* own = startScene<ContractScene>([] { return std::make_unique<ContractScene>(); });
    EXPECT_EQ(own->getDataset()->getFilePath(), "data/screens_tests/scene/contract.gui");
}

}  // namespace
}  // namespace screenstest
