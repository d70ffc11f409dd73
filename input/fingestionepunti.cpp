#include "input/fingestionepunti.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "input/decimalcomma.h"
#include "model/caption.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/conv.h"
#include "rt/runtime.h"
#include "rt/textstyle.h"

namespace {

// The captions that follow the language.
constexpr struct {
    Caption title, cancel, addPoint, remove;
} kCaptions{
    .title = {"Point Editor", "Gestione Punti"},
    .cancel = {"Cancel", "Annulla"},
    .addPoint = {"Add Point", "Aggiungi"},
    .remove = {"Delete", "Elimina"},
};

constexpr rt::Color kBlue = 0x0000FF;
constexpr rt::Color kDarkRed = 0x800000;
constexpr std::int32_t kHeight = 360;
constexpr std::int32_t kHeightWithWarning = 406;

const char* const kWarning = "Warning! / Attenzione!\r"
                             "Level curves will be resolved to points!\r"
                             "Le curve di livello saranno trasformate in punti!";

// A point of the set; 0 past the end of an array that is shorter than the point count says.
double PointValue(const std::vector<double>& values, std::int32_t k) {
    return k >= 0 && static_cast<std::size_t>(k) < values.size() ? values[static_cast<std::size_t>(k)] : 0.0;
}

// The number of a text the user typed: a comma in it is the decimal sign, as in the Italian
// interface; a text without one reads as it stands.
double TypedNumber(std::string_view text) {
    if (text.find(',') == std::string_view::npos)
        return rt::Val(text);
    std::string rewritten;
    return DecimalCommaVal(text, rewritten);
}

void MakeField(rt::EditField& field, rt::Window& window, std::int32_t left) {
    field.Create(window, left, 300, 100, 22);
    field.SetText("0");
    field.SetStyle(rt::Arial(12, true, kDarkRed));
    field.SetBackColor(0xFFFFFF);
}

void MakeAxisLabel(rt::StaticText& label, rt::Window& window, std::int32_t left, const std::string& text) {
    label.Create(window, left, 300, 14, 20);
    label.SetText(text);
    label.SetStyle(rt::Arial(12, false, kBlue));
}

void MakeButton(rt::PushButton& button, rt::Window& window, std::int32_t left, std::int32_t width,
                const std::string& caption) {
    button.Create(window, left, 330, width, 20);
    button.SetCaption(caption);
    button.SetStyle(rt::Arial(12, true, 0x000000));
}

} // namespace

void fingestionepunti::Layout() {
    SetTitle("Edit points..");
    SetWidth(410);
    SetHeight(kHeightWithWarning);
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

void fingestionepunti::CreateControls() {
    ListBox1.SetColumnCount(3);
    ListBox1.SetHeading(0, "X");
    ListBox1.SetHeading(1, "Y");
    ListBox1.SetHeading(2, "Z");
    for (std::int32_t column = 0; column < 3; ++column)
        ListBox1.SetColumnEditable(column, true);
    ListBox1.SetStyle(rt::Arial(12, true, 0x000000));
    ListBox1.CellKeyDown = [this](std::int32_t row, std::int32_t column, const std::string& key) {
        return ListBox1_CellKeyDown(row, column, key);
    };
    ListBox1.CellClick = [this](std::int32_t row, std::int32_t column, std::int32_t x, std::int32_t y) {
        return ListBox1_CellClick(row, column, x, y);
    };
    ListBox1.Change = [this] { ListBox1_Change(); };
    ListBox1.Create(*this, 10, 10, 390, 280);

    MakeField(efx, *this, 10);
    MakeAxisLabel(StaticText1, *this, 115, "X");
    MakeField(efy, *this, 135);
    MakeAxisLabel(StaticText2, *this, 240, "Y");
    MakeField(efz, *this, 260);
    MakeAxisLabel(StaticText3, *this, 365, "Z");

    MakeButton(PushButton3, *this, 10, 100, "Delete");
    PushButton3.SetEnabled(false);
    PushButton3.Action = [this] { PushButton3_Action(); };
    MakeButton(PushButton2, *this, 135, 100, "Add Point");
    PushButton2.Action = [this] { PushButton2_Action(); };
    MakeButton(PushButton4, *this, 258, 70, "Cancel");
    PushButton4.Action = [this] { PushButton4_Action(); };
    MakeButton(PushButton1, *this, 340, 60, "OK");
    PushButton1.SetDefault(true);
    PushButton1.Action = [this] { PushButton1_Action(); };

    // 44 high: three lines of the 12-pixel font need 42.
    StaticText4.Create(*this, 10, 360, 390, 44);
    StaticText4.SetText("");
    StaticText4.SetStyle(rt::Arial(12, true, kDarkRed));
    StaticText4.SetAlignment(2);
    StaticText4.SetMultiline(true);
}

void fingestionepunti::Event_Open() {
    SetHeight(kHeight);
    ptotpwin = globali::ptot;
    ptotopened_ = globali::ptot;
    dxfcounteropened_ = modulodxf::dxfcounter;
    for (std::int32_t r = 0; r <= ptotpwin; ++r) {
        ListBox1.AddRow(rt::Str(PointValue(globali::px, r)));
        ListBox1.SetCell(r, 1, rt::Str(PointValue(globali::py, r)));
        ListBox1.SetCell(r, 2, rt::Str(PointValue(globali::pz, r)));
        rt::RuntimeBackgroundTask();
    }
    SetTitle(InLanguage(kCaptions.title));
    PushButton4.SetCaption(InLanguage(kCaptions.cancel));
    PushButton2.SetCaption(InLanguage(kCaptions.addPoint));
    PushButton3.SetCaption(InLanguage(kCaptions.remove));
    splitting = false;
}

void fingestionepunti::ShowWarning() {
    if (!splitting) {
        SetHeight(kHeightWithWarning);
        StaticText4.SetText(kWarning);
    }
    splitting = true;
}

bool fingestionepunti::ListBox1_CellKeyDown(std::int32_t /*row*/, std::int32_t column,
                                            const std::string& /*key*/) {
    if (column == 2)
        ShowWarning();
    return false;
}

// Every column is editable, so the list itself opens the clicked cell's editor once the click
// goes on to it.
bool fingestionepunti::ListBox1_CellClick(std::int32_t /*row*/, std::int32_t /*column*/, std::int32_t /*x*/,
                                          std::int32_t /*y*/) {
    return false;
}

void fingestionepunti::ListBox1_Change() {
    PushButton3.SetEnabled(ListBox1.ListIndex() > -1);
}

void fingestionepunti::PushButton1_Action() {
    ListBox1.CommitEdit();
    const std::size_t count = static_cast<std::size_t>(ptotpwin + 1);
    globali::px.resize(count);
    globali::py.resize(count);
    globali::pz.resize(count);
    modulodxf::dxfxyz.resize(count);
    for (std::int32_t r = 0; r <= ptotpwin; ++r) {
        const auto k = static_cast<std::size_t>(r);
        globali::px[k] = TypedNumber(ListBox1.Cell(r, 0));
        globali::py[k] = TypedNumber(ListBox1.Cell(r, 1));
        globali::pz[k] = TypedNumber(ListBox1.Cell(r, 2));
        rt::RuntimeBackgroundTask();
    }

    // When the shared data changed while the list was open, its polyline rows no longer match
    // the list's points: every point becomes a row of its own, as after a deletion.
    const bool changedMeanwhile = globali::ptot != ptotopened_ || modulodxf::dxfcounter != dxfcounteropened_;
    if (splitting || changedMeanwhile) {
        globali::ptot = -1;
        modulodxf::dxfcounter = 0;
    }
    for (std::int32_t k = globali::ptot + 1; k <= ptotpwin; ++k) {
        const std::int32_t row = ++modulodxf::dxfcounter;
        modulodxf::dxfpn.Redim(row, 1);
        modulodxf::dxfpn(row, 0) = k;
        modulodxf::dxfpn(row, 1) = 0;
        modulodxf::dxfxyz[static_cast<std::size_t>(k)] = row;
        rt::RuntimeBackgroundTask();
    }
    globali::ptot = ptotpwin;
    Close();

    if (Inizio::ambiente == 1)
        Inizio::mostra2d();
    else
        Inizio::mostra3d();
}

void fingestionepunti::PushButton2_Action() {
    ListBox1.CommitEdit();
    ++ptotpwin;
    ListBox1.AddRow(rt::Str(TypedNumber(efx.Text())));
    ListBox1.SetCell(ptotpwin, 1, rt::Str(TypedNumber(efy.Text())));
    ListBox1.SetCell(ptotpwin, 2, rt::Str(TypedNumber(efz.Text())));
}

void fingestionepunti::PushButton3_Action() {
    ListBox1.CommitEdit();
    const std::int32_t selected = ListBox1.ListIndex();
    if (selected < 0)
        return;
    --ptotpwin;
    ListBox1.RemoveRow(selected);
    ShowWarning();
}

void fingestionepunti::PushButton4_Action() {
    Close();
}
