#include <QPalette>
#include <QWidget>
#include <gtest/gtest.h>

#include "rt/editfield.h"
#include "rt/statictext.h"
#include "rt/window.h"

namespace {

class StyledWindow : public rt::Window {
public:
    rt::EditField Field;
    rt::StaticText Label;

protected:
    void CreateControls() override {
        rt::TextStyle style;
        style.Font = "arial";
        style.Size = 12;
        style.Bold = true;
        style.TextColor = 0x800000;
        Field.Create(*this, 10, 10, 100, 22);
        Field.SetStyle(style);
        Label.Create(*this, 10, 40, 100, 20);
        Label.SetStyle(style);
    }
};

TEST(TextStyle, ColoursTheTextOfEnabledControlsAndLeavesDisabledOnesGreyed) {
    StyledWindow& window = rt::Instance<StyledWindow>();
    for (rt::Control* control :
         {static_cast<rt::Control*>(&window.Field), static_cast<rt::Control*>(&window.Label)}) {
        const QPalette palette = control->Widget()->palette();
        const QPalette::ColorRole role = control == &window.Field ? QPalette::Text : QPalette::WindowText;
        EXPECT_EQ(palette.color(QPalette::Active, role), QColor(0x80, 0, 0));
        EXPECT_NE(palette.color(QPalette::Disabled, role), QColor(0x80, 0, 0));
    }
    window.Close();
}

} // namespace
