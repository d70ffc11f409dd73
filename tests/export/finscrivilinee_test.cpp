// The DXF polyline writer's progress window, watched while it paints.

#include <QApplication>
#include <QEvent>
#include <QProgressBar>
#include <QWidget>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "export/finscrivilinee.h"
#include "tests/export/exportsetup.h"

namespace {

using namespace exporttest;
using ProgressWindow = ExportTest;

// Counts the paints of the progress window's bar.
class BarPaints : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<QProgressBar*>(watched) != nullptr &&
            static_cast<QWidget*>(watched)->window()->windowTitle() ==
                QStringLiteral("Registrazione in corso.."))
            ++count;
        return false;
    }
};

TEST_F(ProgressWindow, PaintsItsBarOnlyWhenTheBarGrowsByAPixel) {
    Inizio::ambiente = 1;
    constexpr int kRows = 3000, kBarWidth = 360;
    SetTable(std::vector<std::pair<std::int32_t, std::int32_t>>(kRows, {0, 0}));
    BarPaints paints;
    QApplication::instance()->installEventFilter(&paints);
    Export("ExportDXF", "curve.dxf");
    QApplication::instance()->removeEventFilter(&paints);
    EXPECT_GT(paints.count, 0);
    EXPECT_LE(paints.count, kBarWidth + 2);
}

} // namespace
