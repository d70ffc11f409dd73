#pragma once
// Progress of the long terrain operations on the control panel's bar fincontrol::ProgressBar1.

#include <cstdint>
#include <functional>

namespace progressreport {

// The bar's range becomes 0..maximum.
void SetMaximum(std::int32_t maximum);
// The bar shows the value and is repainted at once.
void Show(std::int32_t value);
// Called with every value shown, in order; an empty function stops it. Lets a caller follow a
// run step by step.
void SetObserver(std::function<void(std::int32_t value)> observer);

} // namespace progressreport
