#include "rt/rb3dspace.h"
#include "rt/window.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

class NoEngineWindow : public rt::Window {
public:
    rt::Rb3DSpace space;

protected:
    void Layout() override {
        SetWidth(120);
        SetHeight(90);
    }
    void CreateControls() override { space.Create(*this, 10, 5, 100, 80); }
};

TEST(Rb3DSpace, HasNoEngineOnTheOffscreenPlatform) {
    rt::Rb3DSpace loose;
    EXPECT_EQ(loose.Objects(), nullptr);
    EXPECT_FALSE(loose.RenderToPicture());
    loose.Update();
    loose.Refresh(true);

    NoEngineWindow& window = rt::Instance<NoEngineWindow>();
    EXPECT_EQ(window.space.Objects(), nullptr);
    ASSERT_NE(window.space.Widget(), nullptr);
    EXPECT_EQ(window.space.Widget()->width(), 100);
    EXPECT_EQ(window.space.Widget()->height(), 80);
    window.space.Wireframe = true;
    window.space.Update();
    window.space.Refresh(true);
    EXPECT_FALSE(window.space.RenderToPicture());
    // The camera is still there to be moved about.
    window.space.Camera().Position = {1, 2, 3};
    window.space.Camera().Pitch(0.5);
    EXPECT_EQ(window.space.Camera().Position.Z, 3);
    rt::CloseIfOpen<NoEngineWindow>();
}

} // namespace
