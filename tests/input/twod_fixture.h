#pragma once
// The 2D working mode under test: a known screen area and colours, survey data put straight into
// the shared arrays, and the user's presses as real mouse events on the editor and the palette.

#include "input/fin_edita.h"
#include "input/finimmagine.h"
#include "rt/window.h"
#include "tests/input/readertesting.h"
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <cstdint>

class TwoD : public ::testing::Test {
protected:
    static constexpr rt::Color kPlain = 0x22AA22;
    static constexpr rt::Color kSelected = 0xCC1111;
    void SetUp() override {
        globali::scrx = 840;
        globali::scry = 620;
        globali::lingua = 1;
        globali::momento = 0;
        Inizio::fasemom = 0;
        Inizio::gammanosel = kPlain;
        Inizio::gammasisel = kSelected;
        Inizio::azzeradati();
        Inizio::rifxy12 = {0, 0, 0, 0};
        modulodxf::zmfct = 1;
        modulodxf::xz = modulodxf::yz = modulodxf::zxmin = modulodxf::zymin = 0;
    }
    // One row per element: one point is a lone point, more a polyline.
    static void SetRows(const std::vector<std::vector<readertest::Point>>& rows) {
        Inizio::azzeradati();
        readertest::SetSurvey(rows);
    }
    static fin_edita& Editor() { return rt::Instance<fin_edita>(); }
    static finimmagine& Palette() { return rt::Instance<finimmagine>(); }
    // A press in the editor brings the editor's window to the front first, as the window manager
    // does, once the windows have settled after the earlier presses.
    static void Click(std::int32_t x, std::int32_t y) {
        QApplication::processEvents();
        QWidget* editor = Editor().ContentWidget();
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
        QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(x, y));
    }
    // Keys typed as the user types them, once the field has the keyboard focus.
    static void TypeKeys(const rt::EditField& field, const char* keys) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return field.HasFocus(); }, 5000));
        QTest::keyClicks(QApplication::focusWidget(), keys);
    }
    static void Tool(std::int32_t index) {
        QTest::mouseClick(Palette().BevelBut(index).Widget(), Qt::LeftButton);
    }
};
