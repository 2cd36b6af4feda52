#include <gui/ImageBox.h>
#include <ventrel/system/Viewerset.h>
#include <ventrel/viewer/Base.h>
#include <ventrel/viewer/IObservable.h>

#include "ScreensFixture.h"
#include "TestScreens.h"

namespace screenstest {
namespace {

// A game object that keeps its display state in plain fields.
class Token : public ventrel::viewer::IObservable {
public:
    kit::String name = "token";
    bool visible = true;
    bool enabled = true;
    float x = 0, y = 0, width = 10, height = 10, scaleX = 1, scaleY = 1, centerX = 0, centerY = 0, angle = 0;
    int zOrder = 0;
    unsigned char alpha = 255;
    kit::String id;

protected:
    kit::String _getName() const override { return name; }
    bool _isVisible() const override { return visible; }
    void _setVisible(bool value) override { visible = value; }
    bool _isEnabled() const override { return enabled; }
    void _setEnabled(bool value) override { enabled = value; }
    float _getX() const override { return x; }
    void _setX(float value) override { x = value; }
    float _getY() const override { return y; }
    void _setY(float value) override { y = value; }
    float _getWidth() const override { return width; }
    void _setWidth(float value) override { width = value; }
    float _getHeight() const override { return height; }
    void _setHeight(float value) override { height = value; }
    float _getScaleX() const override { return scaleX; }
    void _setScaleX(float value) override { scaleX = value; }
    float _getScaleY() const override { return scaleY; }
    void _setScaleY(float value) override { scaleY = value; }
    float _getCenterX() const override { return centerX; }
    void _setCenterX(float value) override { centerX = value; }
    float _getCenterY() const override { return centerY; }
    void _setCenterY(float value) override { centerY = value; }
    int _getZOrder() const override { return zOrder; }
    void _setZOrder(int value) override { zOrder = value; }
    float _getAngle() const override { return angle; }
    void _setAngle(float value) override { angle = value; }
    unsigned char _getAlpha() const override { return alpha; }
    void _setAlpha(unsigned char value) override { alpha = value; }
    void _setId(const kit::String& value) override { id = value; }
    kit::String _getId() const override { return id; }
};

// A viewer that builds a shadow object under its graphic and counts its own deletion.
class TokenViewer : public ventrel::viewer::Base {
public:
    TokenViewer(Token* token, gui::Object* graphic, int& deleted) : Base(token, graphic), deleted(deleted) {
        shadow = new gui::ImageBox(_generateName());
        graphic->addChild(shadow);
        _registerManualRoot(shadow);
    }
    ~TokenViewer() override { ++deleted; }
    gui::Object* shadow;

private:
    int& deleted;
};

using ViewerTest = ScreensFixture;

TEST_F(ViewerTest, ModelIsCopiedOntoThePictureAndTheSizeBack) {
    MainScene* scene = startScene<MainScene>([] { return std::make_unique<MainScene>(); });
    gui::Object* graphic = scene->getObject("button_a");
    Token token;
    int deleted = 0;
    auto* viewer =
        scene->getViewerset()->registerViewer(std::make_unique<TokenViewer>(&token, graphic, deleted));
    token.setRect(quadrix::Rectangle(300, 400, 50, 50));
    token.setScale(quadrix::Vector2(2, 3));
    token.setCenter(quadrix::Vector2(5, 6));
    token.setAngle(30);
    token.setZOrder(7);
    token.setAlpha(0);
    step(1);
    // The graphic's size wins over the model's.
    EXPECT_EQ(token.getSize(), quadrix::Vector2(200, 100));
    EXPECT_EQ(graphic->getRect(), quadrix::Rectangle(300, 400, 200, 100));
    EXPECT_EQ(graphic->getScale(), quadrix::Vector2(2, 3));
    EXPECT_EQ(graphic->getPivot(), quadrix::Vector2(5, 6));
    EXPECT_FLOAT_EQ(graphic->getAngle(), 30.0f);
    EXPECT_EQ(graphic->getZOrder(), 7);
    EXPECT_EQ(graphic->getAlpha(), 0);
    EXPECT_TRUE(graphic->isVisible());  // alpha 0 hides without touching the flag
    token.setVisible(false);
    token.setEnabled(false);
    step(1);
    EXPECT_FALSE(graphic->isVisible());
    EXPECT_FALSE(graphic->isEnabled());
    // The token and the counter live on this stack: the viewer goes before they do.
    viewer->setActive(false);
    step(1);
    EXPECT_EQ(deleted, 1);
}

TEST_F(ViewerTest, InactiveViewerIsRemovedWithTheObjectsItBuilt) {
    MainScene* scene = startScene<MainScene>([] { return std::make_unique<MainScene>(); });
    gui::Object* graphic = scene->getObject("button_b");
    Token token;
    int deleted = 0;
    auto* viewer =
        scene->getViewerset()->registerViewer(std::make_unique<TokenViewer>(&token, graphic, deleted));
    kit::String shadowName = viewer->shadow->getName();
    step(1);
    EXPECT_NE(graphic->findChildByName(shadowName), nullptr);
    viewer->setActive(false);
    token.x = 123;
    step(1);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(graphic->getX(), 123.0f);  // updated once more before leaving
    EXPECT_TRUE(scene->getViewerset()->getViewers().empty());
    EXPECT_EQ(graphic->findChildByName(shadowName), nullptr);
    EXPECT_FALSE(scene->getDataset()->hasObject(shadowName));
}

}  // namespace
}  // namespace screenstest
