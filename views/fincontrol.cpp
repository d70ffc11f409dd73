#include "views/fincontrol.h"

#include <algorithm>
#include <string>

#include "model/caption.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/screenarea.h"
#include "rt/conv.h"
#include "rt/dialogs.h"
#include "rt/resourcepicture.h"
#include "rt/runtime.h"
#include "rt/textstyle.h"
#include "views/finestra.h"
#include "views/winquesa3d.h"

namespace {

constexpr rt::Color kBlue = 0x0000FF;
constexpr rt::Color kDarkRed = 0x800000;

// The captions that follow the language.
constexpr struct {
    Caption title, createMesh, distanceFactor, contourRibbons, xPoints, yPoints, smoothGdl, methodB;
} kCaptions{
    .title = {"Control", "Controlli"},
    .createMesh = {"Create Mesh 3D", "Crea Mesh 3D"},
    .distanceFactor = {"Distance factor", "Fattore distanza"},
    .contourRibbons = {"Level curves 3d", "Curve di livello 3d"},
    .xPoints = {"X Points", "Nodi X"},
    .yPoints = {"Y Points", "Nodi Y"},
    .smoothGdl = {"Smooth GDL 3D", "GDL 3D Smussato"},
    .methodB = {"Method B", "Metodo B"},
};

std::string Tag(const char* english, const char* italian) {
    return std::string(english) + "\r" + italian;
}

void MakeGridSizeField(EditFieldIntero& field, rt::Window& window, std::int32_t top, const std::string& tag) {
    field.Create(window, 112, top, 38, 20);
    field.SetText("");
    field.SetMaximumCharacters(3);
    field.SetStyle(rt::Arial(12, true, kDarkRed));
    field.SetBackColor(0xFFFAE5);
    field.SetHelpTag(tag);
}

void MakeLabel(rt::StaticText& label, rt::Window& window, std::int32_t left, std::int32_t top,
               std::int32_t width, std::int32_t height, const std::string& text, const rt::TextStyle& style) {
    label.Create(window, left, top, width, height);
    label.SetText(text);
    label.SetStyle(style);
}

void MakeSlider(rt::Slider& slider, rt::Window& window, std::int32_t top, std::int32_t minimum,
                std::int32_t maximum, std::int32_t value) {
    slider.Create(window, 10, top, 140, 16);
    slider.SetMinimum(minimum);
    slider.SetMaximum(maximum);
    slider.SetValue(value);
    slider.SetLineStep(1);
    slider.SetPageStep(0);
    slider.SetLiveScroll(false);
}

void MakeViewButton(rt::BevelButton& button, rt::Window& window, std::int32_t left, std::int32_t top,
                    const rt::Picture& icon, const std::string& tag) {
    button.Create(window, left, top, 65, 40);
    button.SetIcon(icon);
    button.SetCaption("");
    button.SetValue(false);
    button.SetHelpTag(tag);
}

// The view presets of the axonometric drawing: the two angles in radians and the height factor.
struct View {
    double assx, assy, assz;
};
constexpr View kViews[] = {
    {fincontrol::kIsometricAngle, fincontrol::kIsometricAngle, 1.0}, // isometric
    {0.7853975, 0.7853975, 1.0},                                     // monometric
    {0, 0.7853975, 1.0},                                             // dimetric
    {0, 1.570795, 0},                                                // from above
};

// A grid-size field's count as the grid takes it: raised to 2 or lowered to the most the fields
// show, the field then showing it, with a beep.
std::int32_t ConfirmedCount(std::int32_t count, EditFieldIntero& field) {
    const std::int32_t fitted = std::clamp(count, 2, fincontrol::kMaxGridCount);
    if (fitted != count) {
        field.SetText(rt::Str(fitted));
        rt::Beep();
    }
    return fitted;
}

// The 3D view shows meshes as they stand when it opens: it closes, the meshes are built anew
// when asked, and a new view opens, sized by the screen area of this moment.
void Reopen3DView(bool rebuild) {
    rt::CloseIfOpen<winquesa3d>();
    if (rebuild)
        globali::creatrimesh();
    screenarea::Refresh();
    rt::Instance<winquesa3d>().Show();
}

} // namespace

void fincontrol::Layout() {
    SetTitle("Control");
    SetWidth(160);
    SetHeight(398);
    SetMinimumSize(64, 64);
    SetMaximumSize(32000, 32000);
    SetPlacement(1);
    SetFrame(3);
    SetCloseButton(false);
    SetMinimizeButton(false);
    SetMaximizeButton(false);
    SetResizeable(false);
    SetVisibleWhenCreated(true);
}

void fincontrol::CreateControls() {
    Rectangle1.Create(*this, 0, 0, 160, 20);
    Rectangle1.SetFillColor(0xCCCCCC);
    Rectangle1.SetBorderWidth(0);

    BevelBut.BindHandlers = [this](rt::BevelButton& button) {
        button.Action = [this, &button] { BevelBut_Action(button.Index()); };
    };
    RadioB.BindHandlers = [this](rt::RadioButton& button) {
        button.Action = [this, &button] { RadioB_Action(button.Index()); };
    };

    MakeGridSizeField(XEditField, *this, 208,
                      Tag("ENG: Horizontal nodes of mesh", "ITA: Nodi orizzontali della mesh"));
    MakeGridSizeField(YEditField, *this, 238,
                      Tag("ENG: Vertical nodes of mesh", "ITA: Nodi verticali della mesh"));

    PushButton1.Create(*this, 10, 28, 140, 20);
    PushButton1.SetCaption("Create Mesh 3D");
    PushButton1.SetDefault(true);
    PushButton1.SetHelpTag(Tag("ENG: Creates 3D Mesh", "ITA: Genera la Mesh tridimensionale"));

    MakeLabel(StaticText1, *this, 50, 238, 50, 20, "Y Points", rt::Arial(0, false, kBlue));
    MakeLabel(StaticText2, *this, 50, 208, 50, 20, "X Points", rt::Arial(0, false, kBlue));

    ProgressBar1.Create(*this, 10, 4, 140, 12);
    ProgressBar1.SetMaximum(100);
    ProgressBar1.SetValue(0);

    MakeLabel(StaticText3, *this, 50, 270, 100, 20, "Mesh (dX,dY,dZ)", rt::Arial(0, false, kDarkRed));
    MakeLabel(IngStaticText, *this, 10, 293, 140, 16, "0, 0, 0", rt::Arial(9, true, kDarkRed));

    MakeSlider(Slider1, *this, 113, 5, 50, 10);
    Slider1.SetHelpTag(Tag("ENG: Modify calculation method", "ITA: Variazione del metodo di calcolo"));
    MakeLabel(StaticText4, *this, 118, 134, 32, 14, "1", rt::Arial(0, false, kDarkRed));

    Canvas2.Create(*this, 10, 266, 35, 24);
    Canvas2.SetBackdrop(rt::ResourcePicture("mesh35x24"));

    CheckBox1.Create(*this, 10, 84, 140, 17);
    CheckBox1.SetCaption("Smooth GDL 3D");
    CheckBox1.SetValue(true);
    CheckBox1.SetHelpTag(Tag("ENG: Smooth edges for gdl output", "ITA: Arrotonda i nodi dell'output gdl"));

    MakeLabel(StaticText5, *this, 10, 134, 90, 14, "Distance factor", rt::Arial(0, false, kBlue));

    Canvas1.Create(*this, 10, 206, 35, 24);
    Canvas1.SetBackdrop(rt::ResourcePicture("ico2"));
    Canvas3.Create(*this, 10, 236, 35, 24);
    Canvas3.SetBackdrop(rt::ResourcePicture("ico1"));

    Separator2.Create(*this, 10, 311, 140, 4);

    MakeViewButton(BevelBut.Add(0), *this, 10, 408, rt::ResourcePicture("Picture1"),
                   Tag("ENG: View isometric", "ITA: Assonometria isometrica"));
    MakeViewButton(BevelBut.Add(1), *this, 83, 408, rt::ResourcePicture("Picture2"),
                   Tag("ENG: View monometric", "ITA: Assonometria militare"));
    MakeViewButton(BevelBut.Add(2), *this, 10, 453, rt::ResourcePicture("Picture3"),
                   Tag("ENG: View dimetric", "ITA: Assonometria cavaliera"));
    MakeViewButton(BevelBut.Add(3), *this, 83, 453, rt::ResourcePicture("Picture4"),
                   Tag("ENG: Top view", "ITA: Vista dall'alto"));

    PushButton2.Create(*this, 10, 370, 138, 20);
    PushButton2.SetCaption("2 D");
    PushButton2.SetHelpTag(Tag("ENG: Go to 2D editing window", "ITA: Vai alla finestra di elaborazioni 2D"));

    CheckBox2.Create(*this, 10, 60, 140, 17);
    CheckBox2.SetCaption("Method B");
    CheckBox2.SetValue(false);
    CheckBox2.SetHelpTag(Tag("ENG: Choose method B", "ITA: Sceglie in metodo B"));

    Separator1.Create(*this, 10, 192, 140, 4);
    Separator3.Create(*this, 10, 398, 140, 4);

    rt::RadioButton& view3d = RadioB.Add(0);
    view3d.Create(*this, 10, 320, 90, 20);
    view3d.SetCaption("OpenGL3D");
    view3d.SetHelpTag(Tag("ENG: Navigate 3D with OpenGL", "ITA: Orbita il 3D con OperGL"));
    view3d.SetValue(true);
    rt::RadioButton& drawing = RadioB.Add(1);
    drawing.Create(*this, 10, 344, 90, 20);
    drawing.SetCaption("Ambrelix");
    drawing.SetHelpTag(Tag("ENG: View with built-in engine", "ITA: Visualizza col motore interno"));

    color3d.SetBorderWidth(2);
    color3d.SetBorderColor(0x00FFFF);
    color3d.SetFillColor(0x999999);
    color3d.Open = [this] { color3d_Open(); };
    color3d.MouseDown = [this](std::int32_t x, std::int32_t y) { return color3d_MouseDown(x, y); };
    color3d.Create(*this, 128, 321, 20, 20);
    color3d.SetHelpTag(Tag("ENG: choose color for drawing", "ITA: scegli il colore del disegno"));

    MakeLabel(StaticText6, *this, 118, 177, 32, 14, "0", rt::Arial(0, false, kDarkRed));
    // 106 wide rather than 90, so that "Curve di livello 3d" fits; it ends before the value label.
    MakeLabel(StaticText7, *this, 10, 177, 106, 14, "Level curves 3d", rt::Arial(0, false, kBlue));

    MakeSlider(Slider2, *this, 154, 0, 14, 0);
    Slider2.SetHelpTag(Tag("ENG: Show or hide level curves", "ITA: Mostra o nasconde le curve di livello"));

    // Bound once every control holds its initial value, so that none of them runs at creation.
    XEditField.TextChange = [this] { XEditField_TextChange(); };
    PushButton1.Action = [this] { PushButton1_Action(); };
    PushButton2.Action = [this] { PushButton2_Action(); };
    Slider1.ValueChanged = [this] { Slider1_ValueChanged(); };
    Slider2.ValueChanged = [this] { Slider2_ValueChanged(); };
}

void fincontrol::Event_Open() {
    SetLeft(4);
    SetTop(42);
    SetTitle(InLanguage(kCaptions.title));
    PushButton1.SetCaption(InLanguage(kCaptions.createMesh));
    StaticText5.SetText(InLanguage(kCaptions.distanceFactor));
    StaticText7.SetText(InLanguage(kCaptions.contourRibbons));
    StaticText2.SetText(InLanguage(kCaptions.xPoints));
    StaticText1.SetText(InLanguage(kCaptions.yPoints));
    CheckBox1.SetCaption(InLanguage(kCaptions.smoothGdl));
    CheckBox2.SetCaption(InLanguage(kCaptions.methodB));
}

void fincontrol::ShowSpans(double dx, double dy, double dz) {
    IngStaticText.SetText(rt::Str(dx, rt::kReadoutDigits) + ",  " + rt::Str(dy, rt::kReadoutDigits) + ",  " +
                          rt::Str(dz, rt::kReadoutDigits));
}

void fincontrol::ShowYCount(std::int32_t count) {
    if (count > kMaxGridCount) {
        count = kMaxGridCount;
        // One beep per proposal: the bounds computation proposes the same count twice.
        if (YEditField.Text() != rt::Str(count))
            rt::Beep();
    }
    YEditField.SetText(rt::Str(count));
}

void fincontrol::XEditField_TextChange() {
    ShowYCount(rt::conv(rt::Val(XEditField.Text()) * globali::rapp));
}

void fincontrol::PushButton1_Action() {
    const std::int32_t countX = rt::conv(rt::Val(XEditField.Text()));
    const std::int32_t countY = rt::conv(rt::Val(YEditField.Text()));
    globali::mxtot = ConfirmedCount(countX, XEditField);
    globali::mytot = ConfirmedCount(countY, YEditField);

    const bool disegno = RadioB(1).Value();
    if (disegno)
        rt::Instance<Finestra>().disegnaingombro();
    globali::terrenopunti(CheckBox2.Value() ? 2 : 1);
    globali::celamesh = true;
    if (disegno) {
        Finestra& drawing = rt::Instance<Finestra>();
        drawing.disegnamesh();
        drawing.Refresh();
    } else {
        Reopen3DView(true);
    }
    ProgressBar1.SetValue(0);
    ProgressBar1.Refresh();
    rt::Beep();
}

void fincontrol::Slider1_ValueChanged() {
    StaticText4.SetText(rt::Str(rt::conv(Slider1.Value() / 10.0 * 10) / 10.0));
}

void fincontrol::Slider2_ValueChanged() {
    StaticText6.SetText(rt::Str(Slider2.Value()));
    if (globali::celamesh && !RadioB(1).Value())
        Reopen3DView(true);
}

void fincontrol::BevelBut_Action(std::int32_t index) {
    if (index >= 0 && index <= 3) {
        const View& view = kViews[index];
        globali::assx = view.assx;
        globali::assy = view.assy;
        globali::assz = view.assz;
    }
    Finestra& drawing = rt::Instance<Finestra>();
    drawing.disegnaingombro();
    if (!globali::celamesh)
        drawing.assonometria();
    else if (index < 3)
        drawing.disegnamesh();
    else
        globali::curvedilivello();
    drawing.Refresh();
}

void fincontrol::PushButton2_Action() {
    Inizio::mostra2d();
}

void fincontrol::RadioB_Action(std::int32_t index) {
    if (index == 0 && Inizio::engine3d == 1) {
        SetHeight(kHeightsOnViewKind.threeDView);
        rt::CloseIfOpen<Finestra>();
        Reopen3DView(globali::celamesh);
        Inizio::engine3d = 0;
    } else if (index == 1 && Inizio::engine3d == 0) {
        SetHeight(kHeightsOnViewKind.drawing);
        rt::CloseIfOpen<winquesa3d>();
        // The drawing opens sized by the screen area of this moment, beside the panel also when
        // the screen has shrunk since the switch to 3D.
        screenarea::Refresh();
        Finestra& drawing = rt::Instance<Finestra>();
        drawing.Show();
        drawing.disegnaingombro();
        if (globali::celamesh)
            drawing.disegnamesh();
        else
            drawing.assonometria();
        drawing.Refresh();
        Inizio::engine3d = 1;
    }
}

void fincontrol::color3d_Open() {
    color3d.SetFillColor(globali::col_3d);
}

bool fincontrol::color3d_MouseDown(std::int32_t /*x*/, std::int32_t /*y*/) {
    if (!RadioB(0).Value()) {
        rt::Beep();
        return false;
    }
    rt::Color colour = color3d.FillColor();
    if (rt::SelectColor(colour, "Color/Colore")) {
        color3d.SetFillColor(colour);
        globali::col_3d = colour;
    }
    return false;
}
