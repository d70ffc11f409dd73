#pragma once
// Follows the control panel's progress bar through a run: every value shown, in order, each with
// the range the bar had when it was shown ("33 of 100").

#include <cstdint>
#include <string>
#include <vector>

#include "model/progressreport.h"
#include "rt/window.h"
#include "views/fincontrol.h"

class ProgressProbe {
public:
    // Starts from a range and value that the operation under test must change.
    ProgressProbe() {
        auto& bar = rt::Instance<fincontrol>().ProgressBar1;
        bar.SetMaximum(10);
        bar.SetValue(5);
        progressreport::SetObserver([this](std::int32_t value) {
            events_.push_back(std::to_string(value) + " of " +
                              std::to_string(rt::Instance<fincontrol>().ProgressBar1.Maximum()));
        });
    }
    ~ProgressProbe() { progressreport::SetObserver({}); }
    ProgressProbe(const ProgressProbe&) = delete;
    ProgressProbe& operator=(const ProgressProbe&) = delete;

    const std::vector<std::string>& Events() const { return events_; }

private:
    std::vector<std::string> events_;
};
