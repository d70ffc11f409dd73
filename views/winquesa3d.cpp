#include "views/winquesa3d.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "model/globali.h"
#include "model/inizio.h"
#include "rt/application.h"
#include "rt/runtime.h"
#include "views/fincontrol.h"

namespace {

using Texts = std::array<const char*, 3>;

constexpr Texts kHelp = {
    "", "Use arrows for moving 3d view, + and - for zooming; type 'w' for wireframe mode",
    "Usate le frecce per muovere la vista 3d, + e - per ingrandire; premere 'w' per la vista a fil di ferro"};
constexpr Texts kNoEngine = {
    "", "PLEASE INSTALL QUESA LIB (MacOSX) OR QUICKDRAW3D (MacOS9) TO VIEW OPENGL 3D",
    "INSTALLATE LA LIBRERIA QUESA (MacOSX) O QUICKDRAW3D (MacOS9) PER USARE OPENGL 3D"};

// Language 0 has an empty entry; any language other than 0 and 1 reads in Italian, as the captions.
const char* InLanguage(const Texts& texts) {
    if (globali::lingua == 0)
        return texts[0];
    return globali::lingua == 1 ? texts[1] : texts[2];
}

constexpr double kMaxElevation = 1.2214999999999998;
constexpr std::int32_t kElevationSteps = 36;
constexpr std::int32_t kSmallestStep = 4;
constexpr std::int32_t kInitialStep = 20;
// One press of a side arrow; 32 presses come just short of a full turn.
constexpr double kTurnStep = 0.1963125;
// The picture lies flat after this turn, a little short of a right angle.
constexpr double kLayFlat = 1.5705;
constexpr double kDistance = 1.4;

enum Key : std::int32_t {
    kLeft = 28,
    kRight = 29,
    kUp = 30,
    kDown = 31,
    kPlus = 43,
    kMinus = 45,
    kW = 87,
    kw = 119,
};

// The share of a new scene's meshes sent to the GPU, on the control panel's progress bar while the
// panel is open; the bar goes back to 0 once they are all sent.
void ShowSendProgress(std::int32_t percent) {
    fincontrol* panel = rt::OpenInstance<fincontrol>();
    if (panel == nullptr)
        return;
    panel->ProgressBar1.SetMaximum(100);
    panel->ProgressBar1.SetValue(percent < 100 ? percent : 0);
    panel->ProgressBar1.Refresh();
}

} // namespace

double winquesa3d::ElevationAngle(std::int32_t steps) {
    return steps / static_cast<double>(kElevationSteps) * kMaxElevation;
}

void winquesa3d::Layout() {
    SetTitle("3D");
    SetWidth(660);
    SetHeight(520);
    SetMinimumSize(64, 64);
    SetMaximumSize(32000, 32000);
    SetPlacement(0);
    SetFrame(0);
    SetCloseButton(true);
    SetResizeable(false);
    SetMinimizeButton(true);
    SetMaximizeButton(false);
    SetBackColor(rt::RGB(0, 64, 128));
    SetVisibleWhenCreated(true);
    if (const rt::Application* application = rt::Application::Current())
        SetMenuBar(application->GetMenuBar());
}

void winquesa3d::CreateControls() {
    // The help line comes first: the scene control's opening may write the engine notice into it.
    StaticText1.Create(*this, 10, 5, 640, 20);
    StaticText1.SetText("help / aiuto");
    rt::TextStyle style;
    style.Font = "arial";
    style.Size = 12;
    style.Bold = true;
    style.TextColor = rt::RGB(255, 255, 255);
    StaticText1.SetStyle(style);
    StaticText1.SetAlignment(1);

    rb3d.Hither = 5;
    rb3d.Yon = 5000;
    rb3d.FieldOfView = 50;
    rb3d.SkyColor = rt::RGB(200, 200, 255);
    rb3d.AmbientLight = 40;
    rb3d.AmbientColor = rt::RGB(255, 251, 242);
    rb3d.FloodLight = 70;
    rb3d.FloodColor = rt::RGB(255, 255, 255);
    rb3d.FogVisible = false;
    rb3d.FogStart = 0;
    rb3d.Wireframe = false;
    rb3d.SendProgress = ShowSendProgress;
    rb3d.Open = [this] { rb3d_Open(); };
    rb3d.Create(*this, 10, 30, 640, 480);
}

void winquesa3d::Event_Open() {
    SetLeft(168);
    SetTop(48);
    SetWidth(globali::scrx);
    SetHeight(globali::scry);
    StaticText1.SetWidth(Width() - 20);
}

void winquesa3d::rb3d_Open() {
    rb3d.SetWidth(globali::scrx - 20);
    rb3d.SetHeight(globali::scry - 40);
    inserisci3d();
}

void winquesa3d::inserisci3d() {
    const std::shared_ptr<rt::Group3D> scene = rb3d.Objects();
    if (!scene) {
        quesanoquesa();
        return;
    }
    scene->Remove(obj);
    if (!obj)
        obj = std::make_shared<rt::Group3D>();

    if (globali::terreno) {
        obj->Append(globali::terreno);
        obj->Append(globali::tercurva);
        // The meshes lie with the survey's Y along +Z, towards the camera: as they stand they would
        // show the map mirrored, north nearest. The group mirrors them across its X-Y plane, so that
        // north lies far and east on the right, as in the 2D editor and its snapshot.
        obj->MirrorZ = true;
        scene->Append(obj);
        obj->ComputeBounds(2);
        const rt::Bounds3D box = obj->Bounds();
        const double largest = std::max(
            {box.Maximum.X - box.Minimum.X, box.Maximum.Z - box.Minimum.Z, box.Maximum.Y - box.Minimum.Y});
        raggiomax = kDistance * largest;
        rt::Vector3D place = box.Center();
        place.Z += raggiomax;
        rb3d.Camera().Position = place;
    } else {
        auto snapshot = std::make_shared<rt::Object3D>();
        snapshot->AddShapePicture(Inizio::openglpicture, 1.0, -1);
        snapshot->RenderBackFaces = true;
        obj->Append(snapshot);
        scene->Append(obj);
        obj->Pitch(kLayFlat);
        obj->ComputeBounds(2);
        const rt::Bounds3D box = obj->Bounds();
        raggiomax = std::max(kDistance * (box.Maximum.X - box.Minimum.X),
                             kDistance * (box.Maximum.Y - box.Minimum.Y));
    }

    alzadi = kInitialStep;
    muovi_vista();
    rb3d.Refresh();
    rb3d.Update();
    StaticText1.SetText(InLanguage(kHelp));
}

void winquesa3d::muovi_vista() {
    obj->UpdateBounds();
    const double first = altezza_angolo;
    altezza_angolo = ElevationAngle(alzadi);
    const rt::Vector3D centre = obj->Bounds().Center();
    rt::Vector3D& place = rb3d.Camera().Position;
    place.X = centre.X;
    place.Z = centre.Z + raggiomax * std::cos(altezza_angolo);
    place.Y = centre.Y + raggiomax * std::sin(altezza_angolo);
    rb3d.Camera().Pitch(altezza_angolo - first);
    rb3d.Update();
}

void winquesa3d::quesanoquesa() {
    StaticText1.SetText(InLanguage(kNoEngine));
    rt::Beep();
}

void winquesa3d::tasto_muovi(std::int32_t code) {
    if (!rb3d.Objects() || !obj) {
        quesanoquesa();
        return;
    }
    switch (code) {
    case kLeft:
        obj->Yaw(-kTurnStep);
        break;
    case kRight:
        obj->Yaw(kTurnStep);
        break;
    case kUp:
        if (alzadi < std::numeric_limits<std::int32_t>::max())
            ++alzadi;
        break;
    case kDown:
        if (alzadi > std::numeric_limits<std::int32_t>::min())
            --alzadi;
        break;
    case kPlus:
        raggiomax -= raggiomax / 10;
        break;
    case kMinus:
        raggiomax += raggiomax / 10;
        break;
    case kW:
    case kw:
        rb3d.Wireframe = !rb3d.Wireframe;
        rb3d.Update();
        return;
    default:
        return;
    }
    if (alzadi < kSmallestStep && !rt::Keyboard::AsyncCommandKey())
        alzadi = kSmallestStep;
    if (alzadi > kElevationSteps && !rt::Keyboard::AsyncCommandKey())
        alzadi = kElevationSteps;
    muovi_vista();
}

bool winquesa3d::Event_KeyDown(const std::string& key) {
    tasto_muovi(key.empty() ? 0 : static_cast<unsigned char>(key[0]));
    return false;
}
