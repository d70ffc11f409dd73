#pragma once
// The terrain routines' view of the control panel fincontrol and the drawing window Finestra.
// Each call reaches the window through its accessor, so a panel is created when none is open.

#include "model/terrainpanel.h"

class FincontrolPanel : public TerrainPanel {
public:
    std::int32_t PowerSetting() override;
    std::int32_t RibbonSetting() override;
    void ShowSpans(double dx, double dy, double dz) override;
    void SetXCountText(const std::string& text) override;
    void SetYCountText(const std::string& text) override;
    void SetProgressMaximum(std::int32_t maximum) override;
    void ShowProgress(std::int32_t value) override;
    std::int32_t CanvasWidth() override;
    std::int32_t CanvasHeight() override;
    rt::Picture CanvasBackdrop() override;

    // Makes the program's one FincontrolPanel the terrain routines' panel.
    static void InstallForProgram();
};
