#include "input/finimmagine.h"

#include <cstddef>

#include "input/fin_edita.h"
#include "input/pictures2d.h"
#include "input/surveyrows.h"
#include "input/twodmode.h"
#include "model/caption.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/conv.h"
#include "rt/dialogs.h"
#include "rt/runtime.h"
#include "rt/textstyle.h"

namespace {

// The captions that follow the language.
constexpr struct {
    Caption title, height, reference;
} kCaptions{
    .title = {"Trace", "Traccia"},
    .height = {"Z Quote", "Quota Z"},
    .reference = {"Reference", "Riferimento"},
};

constexpr rt::Color kFieldText = 0x800000;
constexpr rt::Color kFieldBack = 0xFFFAE5;
constexpr rt::Color kCaption = 0x0000FF;
constexpr rt::Color kReadout = 0x400080;

// Plain and pressed faces of tools 1..5 (element 0 unused).
rt::Picture (*const kFaces[])() = {nullptr, ib1, ib2, ib3, ib4, ib5};
rt::Picture (*const kPressedFaces[])() = {nullptr, ib1copia, ib2copia, ib3copia, ib4copia, ib5copia};

std::string Tag(const char* english, const char* italian) {
    return std::string(english) + "\r" + italian;
}

void MakeTool(rt::BevelButton& button, rt::Window& window, std::int32_t top, const rt::Picture& face,
              bool pressed, const std::string& tag) {
    button.Create(window, 10, top, 60, 40);
    button.SetCaption("");
    button.SetIcon(face);
    button.SetValue(pressed);
    button.SetHelpTag(tag);
}

void MakeField(EditFieldNumero& field, rt::Window& window, std::int32_t top, const std::string& tag) {
    field.Create(window, 14, top, 52, 20);
    field.SetStyle(rt::Arial(12, true, kFieldText));
    field.SetBackColor(kFieldBack);
    field.SetAlignment(2);
    field.SetMaximumCharacters(100);
    field.SetEnabled(false);
    field.SetHelpTag(tag);
}

void MakeLabel(rt::StaticText& label, rt::Window& window, std::int32_t left, std::int32_t top,
               std::int32_t width, const std::string& text, const rt::TextStyle& style, std::int32_t align) {
    label.Create(window, left, top, width, 16);
    label.SetText(text);
    label.SetStyle(style);
    label.SetAlignment(align);
}

void MakeSwatch(rt::RectShape& swatch, rt::Window& window, std::int32_t left, const std::string& tag) {
    swatch.Create(window, left, 375, 20, 20);
    swatch.SetBorderWidth(2);
    swatch.SetBorderColor(0x00FFFF);
    swatch.SetFillColor(0x999999);
    swatch.SetHelpTag(tag);
}

} // namespace

void finimmagine::Layout() {
    SetTitle("Trace");
    SetWidth(80);
    SetHeight(436);
    SetFrame(3);
    SetPlacement(1);
    SetMinimumSize(64, 64);
    SetMaximumSize(32000, 32000);
    SetResizeable(false);
    SetCloseButton(false);
    SetMinimizeButton(false);
    SetMaximizeButton(false);
    SetVisibleWhenCreated(true);
}

void finimmagine::CreateControls() {
    BevelBut.BindHandlers = [this](rt::BevelButton& button) {
        const std::int32_t index = button.Index();
        button.Action = [this, index] { BevelBut_Action(index); };
    };
    color_t.BindHandlers = [this](rt::RectShape& swatch) {
        const std::int32_t index = swatch.Index();
        swatch.MouseDown = [this, index](std::int32_t x, std::int32_t y) {
            return color_t_MouseDown(index, x, y);
        };
    };
    z_efield.TextChange = [this] { z_efield_TextChange(); };
    z_efield.KeyDown = [this](const std::string& key) { return z_efield_KeyDown(key); };
    s_efield.TextChange = [this] { s_efield_TextChange(); };
    s_efield.KeyDown = [this](const std::string& key) { return s_efield_KeyDown(key); };

    Separator1.Create(*this, 10, 231, 60, 4);
    MakeTool(BevelBut.Add(1), *this, 5, ib1copia(), true,
             Tag("ENG: Selection tool", "ITA: Strumento di selezione"));
    MakeTool(
        BevelBut.Add(2), *this, 50, ib2(), false,
        Tag("ENG: Place dimension reference (2 points)", "ITA: Traccia riferimento dimensionale (2 punti)"));
    MakeTool(BevelBut.Add(3), *this, 95, ib3(), false,
             Tag("ENG: Draw a iso-level curve", "ITA: Traccia una curva di livello"));
    MakeField(z_efield, *this, 298,
              Tag("ENG: insert z quote por point or level curve/",
                  "ITA: inserisci la quota del punto o della curva di livello"));
    MakeLabel(StaticText2, *this, 15, 278, 50, "", rt::Arial(9, true, kCaption), 2);

    PushButton1.Create(*this, 10, 406, 60, 20);
    PushButton1.SetCaption("3 D");
    PushButton1.SetStyle(rt::Arial(12, true, 0x000000));
    PushButton1.SetHelpTag(Tag("ENG: Go to 3D creation window", "ITA: Vai alla finestra di creazione 3D"));
    PushButton1.Action = [this] { PushButton1_Action(); };

    MakeTool(BevelBut.Add(4), *this, 140, ib4(), false,
             Tag("ENG: Draw a quoted point", "ITA: Traccia un punto quotato"));
    MakeTool(BevelBut.Add(5), *this, 185, ib5(), false,
             Tag("ENG: Delete selection", "ITA: Elimina la selezione"));
    BevelBut(5).SetEnabled(false);
    MakeField(s_efield, *this, 344,
              Tag("ENG: insert real dimension of placed reference",
                  "ITA: inserisci la dimensione reale del riferimento tracciato"));
    MakeLabel(StaticText1, *this, 10, 325, 60, "", rt::Arial(9, true, kCaption), 2);
    MakeSwatch(color_t.Add(0), *this, 14,
               Tag("ENG: choose color for drawing", "ITA: scegli il colore del disegno"));
    MakeSwatch(color_t.Add(1), *this, 46,
               Tag("ENG: choose color for selection", "ITA: scegli il colore della selezione"));
    MakeLabel(StaticText3, *this, 10, 238, 12, "X:", rt::Arial(9, false, kReadout), 1);
    MakeLabel(StaticText4, *this, 10, 258, 12, "Y:", rt::Arial(9, false, kReadout), 1);
    MakeLabel(x_stx, *this, 24, 238, 42, "0", rt::Arial(9, true, kReadout), 1);
    MakeLabel(y_stx, *this, 24, 258, 42, "0", rt::Arial(9, true, kReadout), 1);
}

void finimmagine::Event_Open() {
    SetLeft(4);
    SetTop(42);
    globali::momento = 1;
    SetTitle(InLanguage(kCaptions.title));
    StaticText2.SetText(InLanguage(kCaptions.height));
    StaticText1.SetText(InLanguage(kCaptions.reference));
    Inizio::ambiente = 1;
    color_t(0).SetFillColor(Inizio::gammanosel);
    color_t(1).SetFillColor(Inizio::gammasisel);
    BevelBut(2).SetEnabled(false);
    s_efield.SetEnabled(false);
}

void finimmagine::BevelBut_Action(std::int32_t index) {
    if (index < 1 || index > 5)
        return;
    if (globali::momento >= 1 && globali::momento <= 5)
        BevelBut(globali::momento).SetValue(false);
    for (std::int32_t k = 1; k <= 5; ++k)
        BevelBut(k).SetIcon(kFaces[k]());
    const std::int32_t left = globali::momento;
    globali::momento = index;
    BevelBut(index).SetValue(true);

    fin_edita* editor = rt::OpenInstance<fin_edita>();
    if (Inizio::fasemom == 1) {
        // A curve of one vertex stays as a lone point.
        if (left == 3 && editor != nullptr) {
            editor->dis_punto(editor->puntino.Left() + 1, editor->puntino.Top() + 1, Inizio::gammanosel);
            const std::int32_t k = ++modulodxf::qpun;
            surveyrows::GrowPointMap(k);
            modulodxf::qqpun[static_cast<std::size_t>(k)] = modulodxf::dxfcounter;
        }
        Inizio::fasemom = 0;
    }

    if (index >= 2 && index <= 4 && editor != nullptr)
        editor->deseleziona(modulodxf::selpre[0]);
    BevelBut(index).SetIcon(kPressedFaces[index]());
    switch (index) {
    case 2:
        for (const std::int32_t tool : {1, 3, 4, 5})
            BevelBut(tool).SetEnabled(false);
        PushButton1.SetEnabled(false);
        Inizio::fasemom = 0;
        break;
    case 3:
        if (Inizio::fasemom > 1)
            Inizio::fasemom = 0;
        break;
    case 4:
        Inizio::fasemom = 0;
        break;
    case 5:
        if (editor != nullptr)
            editor->elimina(modulodxf::selpre[0]);
        globali::momento = 1;
        BevelBut(1).SetValue(true);
        BevelBut(1).SetIcon(ib1copia());
        BevelBut(5).SetValue(false);
        BevelBut(5).SetIcon(ib5());
        Inizio::fasemom = 0;
        break;
    default:
        break;
    }
    if (editor != nullptr) {
        editor->puntino.SetLeft(fin_edita::kMarkerParking);
        editor->puntino.SetTop(fin_edita::kMarkerParking);
    }
}

void finimmagine::PushButton1_Action() {
    Inizio::mostra3d();
}

void finimmagine::z_efield_TextChange() {
    // Heights go only where the user can see them going: to a shown selection, the curve being
    // traced or the point just placed. A finished curve keeps its heights while the contour tool
    // waits for the first vertex of the next one.
    if (!z_efield.Enabled() || globali::ptot < 0 || modulodxf::dxfcounter < 1)
        return;
    const double z = rt::Val(z_efield.Text());
    if (globali::momento == 1) {
        const fin_edita* editor = rt::OpenInstance<fin_edita>();
        if (editor == nullptr || !editor->SelectionShown())
            return;
        if (modulodxf::selpre[1] == 1 && surveyrows::RowExists(modulodxf::selnow)) {
            const std::int32_t first = modulodxf::dxfpn(modulodxf::selnow, 0);
            if (surveyrows::PointExists(first))
                globali::pz[static_cast<std::size_t>(first)] = z;
        } else if (modulodxf::selpre[1] == 2) {
            surveyrows::SetRowHeight(modulodxf::selnow, z);
        }
    } else if (globali::momento == 3 && Inizio::fasemom >= 1) {
        surveyrows::SetRowHeight(modulodxf::dxfcounter, z);
    } else if (globali::momento == 4 && surveyrows::PointExists(globali::ptot)) {
        globali::pz[static_cast<std::size_t>(globali::ptot)] = z;
    }
}

void finimmagine::s_efield_TextChange() {
    if (rt::Val(s_efield.Text()) > 0)
        Inizio::rifcalcola();
}

bool finimmagine::z_efield_KeyDown(const std::string& key) {
    if (key == ",")
        rt::Beep();
    return false;
}

bool finimmagine::s_efield_KeyDown(const std::string& key) {
    return z_efield_KeyDown(key);
}

bool finimmagine::color_t_MouseDown(std::int32_t index, std::int32_t /*x*/, std::int32_t /*y*/) {
    if (index < 0 || index > 1)
        return false;
    rt::Color colour = color_t(index).FillColor();
    if (!rt::SelectColor(colour, "Color/Colore"))
        return false;
    color_t(index).SetFillColor(colour);
    (index == 0 ? Inizio::gammanosel : Inizio::gammasisel) = colour;

    fin_edita* editor = rt::OpenInstance<fin_edita>();
    if (editor == nullptr)
        return false;
    for (std::int32_t j = 1; j <= modulodxf::qlin; ++j) {
        if (editor->Linea.Has(j))
            editor->Linea(j).SetBorderColor(Inizio::gammanosel);
        rt::RuntimeBackgroundTask();
    }
    for (std::int32_t k = 1; k <= modulodxf::qpun; ++k) {
        if (editor->punto.Has(k))
            editor->punto(k).SetFillColor(Inizio::gammanosel);
        rt::RuntimeBackgroundTask();
    }
    if (globali::momento == 1 && modulodxf::selpre[0] > 0)
        editor->seleziona(modulodxf::selpre[0]);
    return false;
}

void finimmagine::FocusField(rt::EditField& field) {
    Show();
    field.SetFocus();
    field.SelectAll();
}

void finimmagine::NewHeight(const std::string& text) {
    z_efield.SetEnabled(true);
    FocusField(z_efield);
    z_efield.SetProgramText(text);
}
