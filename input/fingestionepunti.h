#pragma once
// The point list: the survey points as a table of X, Y and Z texts, edited by hand and written
// back to the point set and the polyline table at OK.

#include <cstdint>
#include <string>

#include "rt/controls.h"
#include "rt/listbox.h"
#include "rt/window.h"

class fingestionepunti : public rt::Window {
public:
    rt::ListBox ListBox1;
    rt::EditField efx;
    rt::StaticText StaticText1;
    rt::EditField efy;
    rt::StaticText StaticText2;
    rt::EditField efz;
    rt::StaticText StaticText3;
    rt::PushButton PushButton3;
    rt::PushButton PushButton2;
    rt::PushButton PushButton4;
    rt::PushButton PushButton1;
    rt::StaticText StaticText4;

    // The list's last row; -1 when the list is empty.
    std::int32_t ptotpwin = -1;
    // Set once the warning is shown: OK then turns every polyline into lone points.
    bool splitting = false;

    bool ListBox1_CellKeyDown(std::int32_t row, std::int32_t column, const std::string& key);
    bool ListBox1_CellClick(std::int32_t row, std::int32_t column, std::int32_t x, std::int32_t y);
    void ListBox1_Change();
    void PushButton1_Action();
    void PushButton2_Action();
    void PushButton3_Action();
    void PushButton4_Action();

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;

private:
    void ShowWarning();

    // The size of the shared data when the list was filled: the point set or the polyline table
    // may change while the list is open (a reader, tracing).
    std::int32_t ptotopened_ = -1;
    std::int32_t dxfcounteropened_ = 0;
};
