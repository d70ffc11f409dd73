// The benchmark executable: the windows it reaches need a Qt application, without a screen.

#include <QApplication>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#include "modes/modeswitches.h"
#include "views/fincontrolpanel.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The terrain routines report on the real control panel; the readers enter the 2D working mode.
    FincontrolPanel::InstallForProgram();
    ModeSwitches::InstallForProgram();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
