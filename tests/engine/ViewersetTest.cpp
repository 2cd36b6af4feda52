#include <gtest/gtest.h>
#include <gui/Object.h>
#include <kit/Exception.h>
#include <ventrel/system/Viewerset.h>
#include <ventrel/viewer/Base.h>

using ventrel::system::Viewerset;

namespace {

// A game object with plain fields behind the observable's accessors.
class Thing : public ventrel::viewer::IObservable {
public:
    explicit Thing(const kit::String& id) : id(id) {}
    float x = 10, y = 20, w = 30, h = 40, sx = 1, sy = 1, cx = 0, cy = 0, angle = 0;
    bool visible = true, enabled = true;
    int z = 0;
    unsigned char alpha = 255;
    kit::String id;

protected:
    kit::String _getName() const override { return "thing"; }
    bool _isVisible() const override { return visible; }
    void _setVisible(bool v) override { visible = v; }
    bool _isEnabled() const override { return enabled; }
    void _setEnabled(bool v) override { enabled = v; }
    float _getX() const override { return x; }
    void _setX(float v) override { x = v; }
    float _getY() const override { return y; }
    void _setY(float v) override { y = v; }
    float _getWidth() const override { return w; }
    void _setWidth(float v) override { w = v; }
    float _getHeight() const override { return h; }
    void _setHeight(float v) override { h = v; }
    float _getScaleX() const override { return sx; }
    void _setScaleX(float v) override { sx = v; }
    float _getScaleY() const override { return sy; }
    void _setScaleY(float v) override { sy = v; }
    float _getCenterX() const override { return cx; }
    void _setCenterX(float v) override { cx = v; }
    float _getCenterY() const override { return cy; }
    void _setCenterY(float v) override { cy = v; }
    int _getZOrder() const override { return z; }
    void _setZOrder(int v) override { z = v; }
    float _getAngle() const override { return angle; }
    void _setAngle(float v) override { angle = v; }
    unsigned char _getAlpha() const override { return alpha; }
    void _setAlpha(unsigned char v) override { alpha = v; }
    void _setId(const kit::String& v) override { id = v; }
    kit::String _getId() const override { return id; }
};

// Counts its instances and updates; goes inactive on request during its update.
class CountingViewer : public ventrel::viewer::Base {
public:
    CountingViewer(Thing* thing, gui::Object* graphic) : Base(thing, graphic) { ++alive; }
    ~CountingViewer() override { --alive; }
    void update() override {
        ++updates;
        Base::update();
        if (quitOnUpdate) {
            setActive(false);
        }
    }
    static int alive;
    int updates = 0;
    bool quitOnUpdate = false;
};

int CountingViewer::alive = 0;

}  // namespace

class ViewersetTest : public ::testing::Test {
protected:
    void SetUp() override { CountingViewer::alive = 0; }
    gui::Object graphicA{"graphic_a"};
    gui::Object graphicB{"graphic_b"};
    Thing first{"1"};
    Thing second{"2"};
};

TEST_F(ViewersetTest, NamesAreUniqueWhileTheSetLives) {
    auto* set = new Viewerset("board", nullptr);
    EXPECT_EQ(Viewerset::getByName("board"), set);
    try {
        Viewerset again("board", nullptr);
        FAIL() << "a second set took the name";
    } catch (const kit::Exception& e) {
        EXPECT_STREQ(e.what(),
                     "Unable to register viewerset 'board', another viewerset with the same name exists!");
    }
    EXPECT_EQ(Viewerset::getByName("board"), set) << "the refused set did not unregister the first";
    delete set;
    try {
        Viewerset::getByName("board");
        FAIL();
    } catch (const kit::Exception& e) {
        EXPECT_STREQ(e.what(), "Viewerset 'board' doesn't exist!");
    }
    Viewerset reused("board", nullptr);
    EXPECT_EQ(reused.getName(), "board");
}

TEST_F(ViewersetTest, RegisteredViewerShowsTheStateAtOnce) {
    Viewerset set("tokens", nullptr);
    first.alpha = 0;
    first.z = 3;
    auto* viewer = set.registerViewer(std::make_unique<CountingViewer>(&first, &graphicA));
    EXPECT_EQ(viewer->updates, 1);
    EXPECT_EQ(graphicA.getAlpha(), 0);
    EXPECT_TRUE(graphicA.isVisible()) << "alpha 0 hides without touching the visible flag";
    EXPECT_EQ(graphicA.getZOrder(), 3);
    EXPECT_EQ(first.w, 0.0f) << "the graphic's size went into the model";
}

TEST_F(ViewersetTest, InactiveViewersAreDeletedAfterTheirLastUpdate) {
    Viewerset set("tokens", nullptr);
    auto* staying = set.registerViewer(std::make_unique<CountingViewer>(&first, &graphicA));
    auto* leaving = set.registerViewer(std::make_unique<CountingViewer>(&second, &graphicB));
    leaving->quitOnUpdate = true;
    set.update();
    EXPECT_EQ(CountingViewer::alive, 1);
    ASSERT_EQ(set.getViewers().size(), 1u);
    EXPECT_EQ(set.getViewers()[0], staying);
    EXPECT_EQ(staying->updates, 2);
}

TEST_F(ViewersetTest, LookUps) {
    Viewerset set("tokens", nullptr);
    auto* a = set.registerViewer(std::make_unique<CountingViewer>(&first, &graphicA));
    auto* b = set.registerViewer(std::make_unique<CountingViewer>(&second, &graphicB));
    auto* c = set.registerViewer(std::make_unique<CountingViewer>(&first, &graphicB));
    EXPECT_EQ(set.findViewer("graphic_b"), b);
    EXPECT_EQ(set.findViewer(&graphicA), a);
    EXPECT_EQ(set.findViewer(&second), b);
    EXPECT_EQ(set.findViewers(&first), (kit::Array<ventrel::viewer::Base*>{a, c}));
    EXPECT_EQ(set.findViewerById("2"), b);
    EXPECT_EQ(set.findViewersById("1").size(), 2u);
    EXPECT_EQ(set.findViewer("none"), nullptr);
    EXPECT_TRUE(set.findViewersById("9").empty());

    Thing stranger("3");
    set.destroyViewers(&stranger);
    EXPECT_EQ(CountingViewer::alive, 3);
    set.destroyViewers(&first);
    EXPECT_EQ(CountingViewer::alive, 1);
    EXPECT_EQ(set.getViewers().size(), 1u);
}

TEST_F(ViewersetTest, UnregisterGivesTheViewerBack) {
    Viewerset set("tokens", nullptr);
    auto* viewer = set.registerViewer(std::make_unique<CountingViewer>(&first, &graphicA));
    std::unique_ptr<ventrel::viewer::Base> returned = set.unregisterViewer(viewer);
    EXPECT_EQ(returned.get(), viewer);
    EXPECT_TRUE(set.getViewers().empty());
    EXPECT_EQ(CountingViewer::alive, 1);
    EXPECT_THROW(set.unregisterViewer(viewer), kit::Exception);
}
