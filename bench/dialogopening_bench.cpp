// How long a modal dialog of the program takes to open from a click on one of its buttons, under
// openbox and with no window manager, in one run of the program: from the click until the dialog's
// window is viewable, as the X server says. The program runs as it starts (its application
// object, menu strip and dialog service, with Qt's real dialogs); the button is in a window of the
// benchmark's own and opens a message box. The click is a real X click: XTEST's press and release,
// the requests `xdotool click 1` sends, sent from the benchmark so that the clock starts as they
// leave and holds no start of an xdotool process.
//
// It needs an X screen of its own without a window manager; the openbox case starts openbox on it
// and ends it afterwards. From the build folder:
//   bash ../tests/desktop/on_own_screen.sh none bench/ambrelix_desktop_bench
// The two cases report the median and mean in milliseconds, and the median time until the program
// showed the dialog, before its window maps (to_show_median_ms); the second also reports the
// median under openbox over the median without a manager (openbox_over_none), printed again at
// the end.

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/finstart.h"
#include "app/startup.h"
#include "bench/desktopprobe.h"
#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xserver.h"
#include "rt/dialogs.h"
#include "rt/pushbutton.h"
#include "rt/runtimeinit.h"
#include "rt/window.h"
#include "tests/support/temporaryuserfolder.h"

namespace {

using deskbench::MapState;

constexpr int kIterations = 20;
// Untimed openings first: the first message box of a run loads fonts and styles.
constexpr int kWarmUps = 2;
// Between two openings, for the manager and the program to give the keyboard back.
constexpr int kSettleMs = 100;
constexpr std::chrono::milliseconds kOpeningLimit(5000);

// A window of the program with a button that opens a message box and one that opens a file
// dialog.
class OpeningWindow : public rt::Window {
public:
    rt::PushButton Message, Open;

protected:
    void Layout() override {
        SetTitle("Dialog opening");
        SetFrame(1);
        SetPlacement(2);
        SetWidth(360);
        SetHeight(160);
    }
    void CreateControls() override {
        Message.Create(*this, 100, 60, 160, 32);
        Message.SetCaption("Message");
        Message.Action = [] { rt::MsgBox("The survey holds 1024 points."); };
        Open.Create(*this, 100, 100, 160, 32);
        Open.SetCaption("Open");
        Open.Action = [] { static_cast<void>(rt::GetOpenFolderItem("text/plain")); };
    }
};

// The medians of the cases run so far, by the manager's name.
std::map<std::string, double>& Medians() {
    static std::map<std::string, double> medians;
    return medians;
}

std::optional<double> OpenboxOverNone(const std::string& dialog = {}) {
    const auto openbox = Medians().find("openbox" + dialog);
    const auto none = Medians().find("none" + dialog);
    if (openbox == Medians().end() || none == Medians().end() || none->second <= 0)
        return std::nullopt;
    return openbox->second / none->second;
}

// Shows the window and waits until it is viewable and, under a manager, framed; then puts the
// pointer on its button. Empty when that worked; otherwise what went wrong.
std::string ShowWithPointerOnButton(const deskbench::XConnection& x, rt::PushButton& pushButton,
                                    bool framed) {
    QWidget* button = pushButton.Widget();
    QWidget* top = button->window();
    const xcb_window_t id = rt::x11::WindowOf(*top);
    if (!deskbench::RunEventsUntil(
            [&] {
                return deskbench::StateOf(x, id) == MapState::Viewable &&
                       (deskbench::ParentOf(x, id) != x.Root()) == framed;
            },
            5000))
        return framed ? "the window was not framed in time" : "the window did not show in time";
    // The manager may still place the window it has just framed.
    deskbench::RunEventsFor(300);
    const std::optional<QPoint> centre =
        deskbench::OnRoot(x, id, button->mapTo(top, button->rect().center()));
    if (!centre || !deskbench::MovePointer(x, *centre))
        return "the pointer could not be put on the button";
    return {};
}

enum class Manager { Openbox, None };
enum class Dialog { Message, File };

void BM_DialogOpening(benchmark::State& state, Manager manager, Dialog kind) {
    const bool underOpenbox = manager == Manager::Openbox;
    const std::string name =
        std::string(underOpenbox ? "openbox" : "none") + (kind == Dialog::File ? "/file" : "");
    const deskbench::XConnection x;
    if (rt::x11::Connection() == nullptr || !deskbench::CanFakeInput(x)) {
        state.SkipWithError("needs an X screen whose server offers XTEST (QT_QPA_PLATFORM=xcb)");
        return;
    }
    if (rt::x11::ManagerRuns()) {
        state.SkipWithError("a window manager holds the screen: run on one without (on_own_screen.sh none)");
        return;
    }
    std::optional<deskbench::ManagerProcess> openbox;
    if (underOpenbox) {
        openbox.emplace("openbox", QStringList{"--sm-disable"});
        if (const std::string failed = openbox->Start(10000); !failed.empty()) {
            state.SkipWithError(failed.c_str());
            return;
        }
    }

    OpeningWindow& window = rt::Instance<OpeningWindow>();
    std::string failed =
        ShowWithPointerOnButton(x, kind == Dialog::File ? window.Open : window.Message, underOpenbox);
    deskbench::OpeningProbe probe;
    const auto open = [&] {
        const deskbench::OpeningProbe::Opening opening = probe.ClickAndTime(kOpeningLimit);
        if (opening.error.empty() && opening.framed != underOpenbox)
            failed =
                underOpenbox ? "openbox did not frame the dialog" : "the dialog was framed without a manager";
        else if (!opening.error.empty())
            failed = opening.error;
        deskbench::RunEventsFor(kSettleMs);
        return opening;
    };
    for (int i = 0; i < kWarmUps && failed.empty(); ++i)
        open();
    // A failure before the loop leaves it without an iteration.
    if (!failed.empty())
        state.SkipWithError(failed.c_str());
    std::vector<double> samples;
    std::vector<double> toShow;
    for (auto _ : state) {
        const deskbench::OpeningProbe::Opening opening = open();
        state.SetIterationTime(opening.seconds);
        if (!failed.empty()) {
            state.SkipWithError(failed.c_str());
            break;
        }
        samples.push_back(opening.seconds);
        toShow.push_back(opening.secondsToShow);
    }
    rt::CloseIfOpen<OpeningWindow>();
    deskbench::RunEventsFor(kSettleMs);
    if (openbox) {
        if (const std::string stopped = openbox->Stop(5000); !stopped.empty() && !state.error_occurred())
            state.SkipWithError(stopped.c_str());
    }
    if (state.error_occurred())
        return;

    const std::optional<deskbench::Summary> summary = deskbench::Summarize(samples);
    if (!summary)
        return;
    state.counters["median_ms"] = summary->median * 1000;
    state.counters["mean_ms"] = summary->mean * 1000;
    // The program's share: from the click until it showed the dialog, before the window maps.
    state.counters["to_show_median_ms"] = deskbench::Summarize(toShow)->median * 1000;
    Medians()[name] = summary->median;
    if (const std::optional<double> ratio = OpenboxOverNone(kind == Dialog::File ? "/file" : ""))
        state.counters["openbox_over_none"] = *ratio;
}
BENCHMARK_CAPTURE(BM_DialogOpening, openbox, Manager::Openbox, Dialog::Message)
    ->Iterations(kIterations)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DialogOpening, none, Manager::None, Dialog::Message)
    ->Iterations(kIterations)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DialogOpening, openbox_file, Manager::Openbox, Dialog::File)
    ->Iterations(kIterations)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DialogOpening, none_file, Manager::None, Dialog::File)
    ->Iterations(kIterations)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "usage: bash tests/desktop/on_own_screen.sh none %s\n", argv[0]);
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // The program's preferences go to a temporary per-user folder, not the user's own; openbox,
    // which inherits it, runs on its default settings.
    const testsupport::TemporaryUserFolder userFolder;
    if (!userFolder.Valid())
        return 2;

    const rt::RuntimeInit runtime(argc, argv, "Ambrelix");
    ambrelix::InitFileTypes();
    ambrelix::NewAppInstance();
    // The benchmarks run inside the program's event loop, once its start window has shown; that
    // window is closed so that the benchmark's own is the program's only one besides the strip.
    QTimer::singleShot(0, [] {
        rt::CloseIfOpen<finstart>();
        benchmark::RunSpecifiedBenchmarks();
        for (const char* dialog : {"", "/file"})
            if (const std::optional<double> ratio = OpenboxOverNone(dialog))
                std::printf(
                    "Dialog opening%s, median under openbox / median with no manager: %.3f (goal: at most "
                    "1.3)\n",
                    dialog, *ratio);
        ::App().Quit();
    });
    const int status = ::App().Run();
    ambrelix::DiscardAppInstance();
    benchmark::Shutdown();
    return status;
}
