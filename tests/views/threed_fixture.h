#pragma once
// The 3D working mode under test: a known screen area, survey points put straight in as lone points.

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/dialogs.h"
#include "rt/runtime.h"
#include "rt/window.h"
#include "views/fincontrol.h"
#include "views/fincontrolpanel.h"
#include "views/finestra.h"
#include "views/winquesa3d.h"

struct ThreeDPoint {
    double x, y, z;
};

class ThreeD : public ::testing::Test {
protected:
    void SetUp() override {
        globali::scrx = 800;
        globali::scry = 600;
        globali::lingua = 1;
        globali::celamesh = false;
        globali::terreno = globali::tercurva = nullptr;
        globali::assx = globali::assy = fincontrol::kIsometricAngle;
        globali::assz = 1;
        globali::col_3d = 0x336699;
        Inizio::ambiente = 1;
        Inizio::engine3d = 0;
        FincontrolPanel::InstallForProgram();
    }
    void TearDown() override { rt::Keyboard::SetCommandKeyReader(nullptr); }

    static void SetPoints(const std::vector<ThreeDPoint>& points) {
        Inizio::azzeradati();
        globali::px = globali::py = globali::pz = {};
        modulodxf::dxfpn.Redim(static_cast<std::int32_t>(points.size()), 1);
        for (const ThreeDPoint& p : points) {
            globali::px.push_back(p.x);
            globali::py.push_back(p.y);
            globali::pz.push_back(p.z);
            const std::int32_t row = ++modulodxf::dxfcounter;
            modulodxf::dxfpn(row, 0) = ++globali::ptot;
            modulodxf::dxfpn(row, 1) = 0; // a lone point
        }
    }

    // A hill on a 10 by 5 grid of points, 100 by 50 units, heights 0 to about 40.
    static void SetHill() {
        std::vector<ThreeDPoint> points;
        for (int i = 0; i <= 10; ++i)
            for (int j = 0; j <= 5; ++j)
                points.push_back({i * 10.0, j * 10.0, 40.0 - (i - 5) * (i - 5) - (j - 2.5) * (j - 2.5)});
        SetPoints(points);
    }

    // The switch to 3D, then "Create Mesh 3D" with the given counts typed into the fields.
    static fincontrol& SwitchAndMesh(const std::string& x = "20", const std::string& y = "10") {
        Inizio::mostra3d();
        Panel().XEditField.SetText(x);
        Panel().YEditField.SetText(y);
        Panel().PushButton1.Push();
        return Panel();
    }

    static fincontrol& Panel() { return rt::Instance<fincontrol>(); }
    static winquesa3d* View() { return rt::OpenInstance<winquesa3d>(); }
};
