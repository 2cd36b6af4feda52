#include <cmath>

#include "Fixture.h"
#include "gui/Container.h"
#include "gui/ImageButton.h"

namespace guitest {
namespace {

void expectNear(const quadrix::Vector2& actual, const quadrix::Vector2& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3f);
    EXPECT_NEAR(actual.y, expected.y, 1e-3f);
}

class TransformTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        screen = std::make_unique<gui::Dataset>("", "transform", true);
        root = new gui::Container("root");
        root->setRect(quadrix::Rectangle(0, 0, 1280, 720));
        screen->setRoot(root);
    }

    gui::Container* add(gui::Object* parent, const kit::String& name, const quadrix::Rectangle& rect) {
        auto* object = new gui::Container(name);
        object->setRect(rect);
        parent->addChild(object);
        return object;
    }

    std::unique_ptr<gui::Dataset> screen;
    gui::Container* root = nullptr;
};

TEST_F(TransformTest, ChildrenTurnAndScaleWithTheirParent) {
    gui::Container* board = add(root, "board", quadrix::Rectangle(100, 100, 200, 200));
    board->resetPivot();
    board->setAngle(90);
    board->setScale(2);
    gui::Container* field = add(board, "field", quadrix::Rectangle(0, 0, 50, 50));
    field->setInteractive(true);

    // A quarter turn anticlockwise about the board's centre (200, 200), twice as large.
    expectNear(field->toGlobal(quadrix::Vector2(0, 0)), quadrix::Vector2(0, 400));
    expectNear(field->toGlobal(quadrix::Vector2(25, 25)), quadrix::Vector2(50, 350));
    EXPECT_TRUE(field->isPointInside(quadrix::Vector2(50, 350)));
    EXPECT_FALSE(field->isPointInside(quadrix::Vector2(125, 125))) << "where it would lie unturned";
    EXPECT_EQ(screen->findObjectAt(quadrix::Vector2(50, 350)), field);
    EXPECT_EQ(screen->findObjectAt(quadrix::Vector2(125, 125)), nullptr);

    quadrix::Rectangle bounds = field->getBoundingRect();
    EXPECT_NEAR(bounds.x, 0, 1e-3f);
    EXPECT_NEAR(bounds.y, 300, 1e-3f);
    EXPECT_NEAR(bounds.w, 100, 1e-3f);
    EXPECT_NEAR(bounds.h, 100, 1e-3f);
    quadrix::Rectangle inBoard = field->getBoundingRect(board);
    EXPECT_NEAR(inBoard.x, 0, 1e-3f);
    EXPECT_NEAR(inBoard.w, 50, 1e-3f);
}

TEST_F(TransformTest, DeepTreesComposeAndInvert) {
    gui::Container* a = add(root, "a", quadrix::Rectangle(300, 200, 400, 300));
    a->setPivot(quadrix::Vector2(10, 20));
    a->setAngle(-33);
    a->setScale(quadrix::Vector2(0.5f, 1.5f));
    gui::Container* b = add(a, "b", quadrix::Rectangle(40, 30, 100, 100));
    b->resetPivot();
    b->setAngle(71);
    b->setScale(1.25f);
    gui::Container* c = add(b, "c", quadrix::Rectangle(-20, 60, 30, 10));
    c->setAngle(12);
    for (const quadrix::Vector2& point :
         {quadrix::Vector2(0, 0), quadrix::Vector2(13, -7), quadrix::Vector2(30, 10)}) {
        expectNear(c->toLocal(c->toGlobal(point)), point);
    }
    // The world matrix is the product of the local ones.
    quadrix::Vector2 viaParents =
        a->getLocalMatrix() * (b->getLocalMatrix() * (c->getLocalMatrix() * quadrix::Vector2(5, 5)));
    expectNear(c->toGlobal(quadrix::Vector2(5, 5)), viaParents);
    c->setScale(0);
    EXPECT_FALSE(c->isPointInside(c->toGlobal(quadrix::Vector2(0, 0)))) << "a collapsed object is never hit";
}

TEST_F(TransformTest, AnchoredEdgesFollowTheParentsResize) {
    gui::Container* panel = add(root, "panel", quadrix::Rectangle(0, 0, 400, 300));
    gui::Container* topLeft = add(panel, "top_left", quadrix::Rectangle(10, 10, 50, 50));
    gui::Container* bottomRight = add(panel, "bottom_right", quadrix::Rectangle(340, 240, 50, 50));
    bottomRight->setAnchors(gui::AnchorRight | gui::AnchorBottom);
    gui::Container* stretched = add(panel, "stretched", quadrix::Rectangle(10, 100, 380, 40));
    stretched->setAnchors(gui::AnchorLeft | gui::AnchorRight | gui::AnchorTop);
    gui::Container* centred = add(panel, "centred", quadrix::Rectangle(175, 125, 50, 50));
    centred->setAnchors(gui::AnchorNone);
    gui::Container* full = add(panel, "full", quadrix::Rectangle(0, 0, 400, 300));
    full->setAnchors(gui::AnchorAll);
    gui::Container* inner = add(full, "inner", quadrix::Rectangle(300, 200, 100, 100));
    inner->setAnchors(gui::AnchorRight | gui::AnchorBottom);

    panel->setSize(500, 350);
    EXPECT_EQ(topLeft->getRect(), quadrix::Rectangle(10, 10, 50, 50));
    EXPECT_EQ(bottomRight->getRect(), quadrix::Rectangle(440, 290, 50, 50));
    EXPECT_EQ(stretched->getRect(), quadrix::Rectangle(10, 100, 480, 40));
    EXPECT_EQ(centred->getRect(), quadrix::Rectangle(225, 150, 50, 50));
    EXPECT_EQ(full->getRect(), quadrix::Rectangle(0, 0, 500, 350));
    EXPECT_EQ(inner->getRect(), quadrix::Rectangle(400, 250, 100, 100)) << "resizes pass down the tree";
}

TEST_F(TransformTest, HitsTakeTheTopmostVisibleObject) {
    gui::Container* low = add(root, "low", quadrix::Rectangle(0, 0, 100, 100));
    gui::Container* high = add(root, "high", quadrix::Rectangle(50, 50, 100, 100));
    low->setInteractive(true);
    high->setInteractive(true);
    EXPECT_EQ(screen->findObjectAt(quadrix::Vector2(75, 75)), high);
    low->setZOrder(5);
    EXPECT_EQ(screen->findObjectAt(quadrix::Vector2(75, 75)), low);
    low->setVisible(false);
    EXPECT_EQ(screen->findObjectAt(quadrix::Vector2(75, 75)), high);
    high->setAlpha(0);
    EXPECT_EQ(screen->findObjectAt(quadrix::Vector2(75, 75)), nullptr) << "a faded-out object takes no input";
    high->setAlpha(255);
    high->setEnabled(false);
    EXPECT_EQ(screen->findObjectAt(quadrix::Vector2(75, 75)), high)
        << "a disabled object still covers what is below";
    EXPECT_EQ(screen->findObjectAt(quadrix::Vector2(20, 20)), nullptr) << "the hidden one is not hit";
    high->setInteractive(false);
    low->setVisible(true);
    EXPECT_EQ(screen->findObjectAt(quadrix::Vector2(75, 75)), low) << "plain containers let input through";
}

TEST_F(TransformTest, DerivedStateComesFromTheParents) {
    gui::Container* parent = add(root, "parent", quadrix::Rectangle(0, 0, 10, 10));
    gui::Container* child = add(parent, "child", quadrix::Rectangle(0, 0, 10, 10));
    parent->setAlpha(128);
    child->setAlpha(128);
    EXPECT_NEAR(child->getDerivedAlpha(), (128 / 255.0f) * (128 / 255.0f), 1e-6f);
    parent->setEnabled(false);
    EXPECT_TRUE(child->isEnabled());
    EXPECT_FALSE(child->isDerivedEnabled());
    parent->setVisible(false);
    EXPECT_FALSE(child->isDerivedVisible());
    EXPECT_EQ(root->findChildByName("child"), child);
    EXPECT_EQ(root->findChildByName("child", false), nullptr);
}

}  // namespace
}  // namespace guitest
