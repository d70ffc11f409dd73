#include "input/setdxf.h"

#include <string>

#include "input/readers.h"
#include "model/caption.h"
#include "model/globali.h"
#include "model/modulodxf.h"
#include "rt/conv.h"
#include "rt/textstyle.h"

namespace {

// The captions that follow the language.
constexpr struct {
    Caption title, heading, autoQuoting, firstHeight, heightStep, simplify, skipped;
} kCaptions{
    .title = {"Import DXF..", "Importa DXF.."},
    .heading = {"Import DXF (Polylines only)", "Importa DXF (solo Polilinee)"},
    .autoQuoting = {"  Auto-Quoting", "  Auto-Quotatura"},
    .firstHeight = {"1st Polyline quote", "Quota 1a Polilinea"},
    .heightStep = {"dZ distance", "Distanza dZ"},
    .simplify = {"Simplify curves", "Semplifica curve"},
    .skipped = {"Points\rSkipped", "Punti\rSaltati"},
};

constexpr rt::Color kBlack = 0x000000;
constexpr rt::Color kGrey = 0x666666;

void MakeLabel(rt::StaticText& label, rt::Window& window, std::int32_t left, std::int32_t top,
               std::int32_t width, std::int32_t height, const std::string& text, const rt::TextStyle& style) {
    label.Create(window, left, top, width, height);
    label.SetText(text);
    label.SetStyle(style);
}

void MakeHeightField(EditFieldNumero& field, rt::Window& window, std::int32_t top) {
    field.Create(window, 55, top, 100, 18);
    field.SetProgramText("0");
    field.SetEnabled(false);
    field.SetStyle(rt::Arial(12, true, kBlack));
    field.SetBackColor(0xFFFFFF);
}

} // namespace

setdxf::setdxf() {
    PushButton1.Action = [this] { PushButton1_Action(); };
    CheckBox1.Action = [this] { CheckBox1_Action(); };
    Slider1.ValueChanged = [this] { Slider1_ValueChanged(); };
}

void setdxf::Layout() {
    SetTitle("Import DXF..");
    SetWidth(320);
    SetHeight(160);
    SetFrame(1);
    SetPlacement(2);
    SetCloseButton(false);
    SetResizeable(false);
    SetMaximizeButton(false);
    SetMinimizeButton(true);
    SetMinimumSize(64, 64);
    SetMaximumSize(32000, 32000);
    SetVisibleWhenCreated(true);
}

void setdxf::CreateControls() {
    MakeLabel(StaticText1, *this, 70, 3, 180, 16, "Import DXF Polylines only", rt::Arial(12, true, kBlack));
    StaticText1.SetAlignment(2);

    CheckBox1.Create(*this, 139, 25, 128, 20);
    CheckBox1.SetCaption("  Auto-Quoting");
    CheckBox1.SetStyle(rt::Arial(12, false, kBlack));

    MakeHeightField(efprima, *this, 52);
    MakeLabel(StaticText3, *this, 166, 54, 110, 16, "1st Polyline quote", rt::Arial(12, false, kBlack));
    MakeHeightField(efdelta, *this, 78);
    MakeLabel(StaticText4, *this, 166, 80, 100, 16, "dZ distance", rt::Arial(12, false, kBlack));

    MakeLabel(StaticText5, *this, 25, 104, 20, 20, "0", rt::Arial(12, false, kGrey));
    StaticText5.SetAlignment(3);

    Slider1.Create(*this, 55, 106, 100, 16);
    Slider1.SetMinimum(0);
    Slider1.SetMaximum(20);
    Slider1.SetValue(0);
    Slider1.SetLineStep(1);
    Slider1.SetPageStep(20);
    Slider1.SetLiveScroll(true);

    MakeLabel(StaticText2, *this, 166, 106, 100, 16, "Simplify curves", rt::Arial(12, false, kBlack));
    MakeLabel(StaticText6, *this, 5, 124, 40, 24, "Points\rSkipped", rt::Arial(10, false, kGrey));
    StaticText6.SetAlignment(3);

    PushButton1.Create(*this, 110, 134, 100, 20);
    PushButton1.SetCaption("OK");
    PushButton1.SetDefault(true);
    PushButton1.SetStyle(rt::Arial(12, true, kBlack));
}

void setdxf::Event_Open() {
    SetTitle(InLanguage(kCaptions.title));
    StaticText1.SetText(InLanguage(kCaptions.heading));
    CheckBox1.SetCaption(InLanguage(kCaptions.autoQuoting));
    StaticText3.SetText(InLanguage(kCaptions.firstHeight));
    StaticText4.SetText(InLanguage(kCaptions.heightStep));
    StaticText2.SetText(InLanguage(kCaptions.simplify));
    StaticText6.SetText(InLanguage(kCaptions.skipped));

    CheckBox1_Action();
    semplifica = 0;
    Slider1.SetValue(semplifica);
}

void setdxf::CheckBox1_Action() {
    const bool automatic = CheckBox1.Value();
    efprima.SetEnabled(automatic);
    efdelta.SetEnabled(automatic);
    efprima.SetProgramText("0");
    efdelta.SetProgramText(automatic ? "10" : "0");
}

void setdxf::Slider1_ValueChanged() {
    StaticText5.SetText(rt::Str(Slider1.Value()));
}

void setdxf::PushButton1_Action() {
    globali::dxfprima = rt::Val(efprima.Text());
    globali::dxfdelta = rt::Val(efdelta.Text());
    semplifica = Slider1.Value();
    const std::int32_t skip = semplifica;
    Close();
    modulodxf::leggidxf(globali::dxfprima, globali::dxfdelta, skip);
}
