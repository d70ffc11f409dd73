#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "rt/control.h"
#include "rt/textstyle.h"

namespace rt {

// A label. A multi-line label wraps its words; any other shows one line, cut at its right edge.
// Line breaks (CR) in the text start new lines in either case.
class StaticText : public Control {
public:
    StaticText();
    ~StaticText() override;
    std::string Text() const;
    void SetText(const std::string& text);
    void SetStyle(const TextStyle& style);
    void SetMultiline(bool multiline);
    void SetAlignment(std::int32_t align); // 0 default, 1 left, 2 centre, 3 right
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace rt
