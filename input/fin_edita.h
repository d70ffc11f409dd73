#pragma once
// The 2D editor: the point set and the polyline table as small light shapes, one filled 5 x 5
// square per lone point and one line per segment of a polyline, over the traced picture when
// there is one. Tools of the palette decide what a press does.

#include <cstdint>

#include "rt/controls.h"
#include "rt/shapearray.h"
#include "rt/shapes.h"
#include "rt/window.h"

class fin_edita : public rt::Window {
public:
    // The width of a new editor, before the switch to the 2D working mode sizes it.
    static constexpr std::int32_t kInitialWidth = 300;

    rt::LineArray Linea;
    rt::RectArray punto;
    rt::RectShape puntino;
    // Where the marker waits, out of sight, until a tool click places it.
    static constexpr std::int32_t kMarkerParking = -20;
    rt::LineShape linscala;
    rt::StaticText StaticText1;

    // Adds a point control centred on (x, y), window pixels.
    void dis_punto(double x, double y, rt::Color colour);
    // Adds a segment control from (x1, y1) to (x2, y2).
    void dis_linea(double x1, double y1, double x2, double y2, rt::Color colour);
    // Shows the selection recorded in modulodxf::selpre and selnow; i is the selected control.
    void seleziona(std::int32_t i);
    // Withdraws the selection shown; the record stays.
    void deseleziona(std::int32_t i);
    // Appends a point at window pixel (x, y) with height 0.
    void puntoaggiunto(std::int32_t x, std::int32_t y);
    // Hides the selected item's controls and deletes its row and points.
    void elimina(std::int32_t i);

    bool Linea_MouseDown(std::int32_t index, std::int32_t x, std::int32_t y);
    bool punto_MouseDown(std::int32_t index, std::int32_t x, std::int32_t y);

    // Whether the recorded selection is shown now (between seleziona and the next deseleziona or
    // deletion).
    bool SelectionShown() const { return selectionShown_; }

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;
    bool Event_MouseDown(std::int32_t x, std::int32_t y) override;
    void Event_MouseMove(std::int32_t x, std::int32_t y) override;
    void Event_MouseEnter() override;
    void Event_MouseExit() override;

private:
    void ReferenceStart(std::int32_t x, std::int32_t y);
    void ReferenceEnd(std::int32_t x, std::int32_t y);
    // Appends a point at the press as a new row of its own; returns the row.
    std::int32_t NewRow(std::int32_t x, std::int32_t y);
    void ContourStart(std::int32_t x, std::int32_t y);
    void ContourVertex(std::int32_t x, std::int32_t y);
    void SinglePoint(std::int32_t x, std::int32_t y);
    void ColourSegments(std::int32_t row, std::int32_t first, rt::Color colour, std::int32_t width);

    bool selectionShown_ = false;
};
