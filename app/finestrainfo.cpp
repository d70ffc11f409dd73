#include "app/finestrainfo.h"

#include <string>

#include "app/resources.h"
#include "rt/runtime.h"
#include "rt/textstyle.h"

namespace {

// The maker's contact line, mail address and web page; an empty address opens nothing.
const std::string kContact;
const std::string kMailAddress;
const std::string kWebPage;

void Open(const std::string& address) {
    if (!address.empty())
        rt::ShowURL(address);
}

} // namespace

void finestrainfo::Layout() {
    SetTitle("Ambrelix info");
    SetWidth(260);
    SetHeight(124);
    SetResizeable(false);
    SetFrame(1);
    SetPlacement(2);
    SetCloseButton(false);
    SetMinimizeButton(false);
    SetMaximizeButton(false);
    SetBackColor(rt::RGB(255, 204, 102));
    SetVisibleWhenCreated(true);
}

void finestrainfo::CreateControls() {
    PushButton1.Create(*this, 80, 90, 100, 20);
    PushButton1.SetCaption("OK");
    PushButton1.SetDefault(true);
    PushButton1.SetStyle(rt::Arial(12, true, 0x000000));
    PushButton1.Action = [this] { PushButton1_Action(); };

    StaticText1.Create(*this, 0, 6, 260, 16);
    StaticText1.SetText("Ambrelix - v2.6.0 (Universal Binary)");
    StaticText1.SetStyle(rt::Arial(12, true, rt::RGB(0, 127, 0)));
    StaticText1.SetAlignment(2);

    StaticText2.Create(*this, 22, 24, 220, 16);
    StaticText2.SetText(kContact);
    StaticText2.SetStyle(rt::Arial(12, true, rt::RGB(0, 0, 127)));
    StaticText2.SetAlignment(2);
    StaticText2.MouseExit = [this] { StaticText2_MouseExit(); };
    StaticText2.MouseEnter = [this] { StaticText2_MouseEnter(); };
    StaticText2.MouseDown = [this](std::int32_t x, std::int32_t y) { return StaticText2_MouseDown(x, y); };

    Canvas1.Create(*this, 113, 52, 35, 24);
    Canvas1.SetBackdrop(mesh35x24());
    Canvas1.MouseDown = [this](std::int32_t x, std::int32_t y) { return Canvas1_MouseDown(x, y); };
}

void finestrainfo::PushButton1_Action() {
    rt::Instance<finestrainfo>().Close();
}

void finestrainfo::StaticText2_MouseExit() {
    rt::TextStyle style = rt::Arial(12, true, rt::RGB(0, 0, 127));
    style.Underline = false;
    StaticText2.SetStyle(style);
}

void finestrainfo::StaticText2_MouseEnter() {
    rt::TextStyle style = rt::Arial(12, true, rt::RGB(0, 0, 127));
    style.Underline = true;
    StaticText2.SetStyle(style);
}

bool finestrainfo::StaticText2_MouseDown(std::int32_t /*x*/, std::int32_t /*y*/) {
    Open(kMailAddress.empty() ? std::string() : "mailto:" + kMailAddress);
    return false;
}

bool finestrainfo::Canvas1_MouseDown(std::int32_t /*x*/, std::int32_t /*y*/) {
    Open(kWebPage);
    return false;
}
