#include "app/finstart.h"

#include <array>
#include <string>

#include "app/globalilocalizza.h"
#include "app/resources.h"
#include "input/fingestionepunti.h"
#include "input/readers.h"
#include "input/setdxf.h"
#include "input/twodmode.h"
#include "model/caption.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "rt/application.h"
#include "rt/textstyle.h"

namespace {

constexpr rt::Color kBlue = 0x0000FF;
// Not pure cyan: the bars are drawn in (0, 255, 254).
constexpr rt::Color kBarColour = 0x00FFFE;

constexpr Caption kTitle{"Starting Choice", "Scelta iniziale"};

constexpr std::array<Caption, 6> kChoices{{
    {"Open image (QuickTime required) for manual tracing",
     "Apri immagine (richiede QuickTime) e traccia manualmente"},
    {"Manually enter points X, Y, Z coordinates", "Inserisci manualmente le coordinate X, Y, Z dei punti"},
    {"Read points from a TEXT file of X, Y, Z coordinates",
     "Leggi punti da un file testo di coordinate X, Y, Z"},
    {"Read text with quotes from PowerCADD Export data file",
     "Leggi i testi delle quote da un file PowerCADD Export data"},
    {"Read DXF level curves (Polyline only) and quote them",
     "Leggi curve di livello da DXF (solo Polilinee) e edita quote"},
    {"QUIT Ambrelix", "ESCI da Ambrelix"},
}};

} // namespace

void finstart::Layout() {
    SetTitle(kTitle.english);
    SetWidth(400);
    SetHeight(400);
    SetResizeable(false);
    SetFrame(1);
    SetPlacement(2);
    SetCloseButton(true);
    SetMinimizeButton(true);
    SetMaximizeButton(false);
    SetVisibleWhenCreated(true);
}

void finstart::CreateControls() {
    StaticText6.Create(*this, 60, 9, 280, 30);
    StaticText6.SetMultiline(true);
    StaticText6.SetAlignment(2);
    rt::TextStyle hint = rt::Arial(12, true);
    hint.Italic = true;
    hint.TextColor = kBlue;
    StaticText6.SetStyle(hint);
    StaticText6.SetText("Choose english language clicking on US flag\r"
                        "Scegli la lingua italiana con un click sul tricolore");

    Canvasl.BindHandlers = [this](rt::Canvas& flag) {
        const std::int32_t index = flag.Index();
        flag.MouseDown = [this, index](std::int32_t x, std::int32_t y) {
            return Canvasl_MouseDown(index, x, y);
        };
        flag.MouseExit = [this, index] { Canvasl_MouseExit(index); };
        flag.MouseEnter = [this, index] { Canvasl_MouseEnter(index); };
    };
    pushbstart.BindHandlers = [this](rt::PushButton& button) {
        const std::int32_t index = button.Index();
        button.Action = [this, index] { pushbstart_Action(index); };
    };

    const auto addFlag = [this](std::int32_t index, std::int32_t left, const rt::Picture& picture,
                                const std::string& tag) {
        rt::Canvas& flag = Canvasl.Add(index);
        flag.Create(*this, left, 9, 28, 26);
        flag.SetBackdrop(picture);
        flag.SetHelpTag(tag);
    };
    const auto addBar = [this](std::int32_t index, std::int32_t left) {
        rt::RectShape& bar = Rectsel.Add(index);
        bar.Create(*this, left, 39, 36, 10);
        bar.SetFillColor(kBarColour);
        bar.SetBorderColor(kBarColour);
        bar.SetBorderWidth(1);
        bar.SetVisible(false);
    };
    addFlag(0, 20, busa(), "click here for english language");
    addBar(0, 16);
    addFlag(1, 352, bita(), "clicca qui per l'italiano");
    addBar(1, 348);

    for (std::int32_t i = 0; i < static_cast<std::int32_t>(kChoices.size()); ++i) {
        rt::PushButton& button = pushbstart.Add(i);
        button.Create(*this, 20, i == 5 ? 365 : 60 + 35 * i, 360, 20);
        button.SetCaption(kChoices[static_cast<std::size_t>(i)].english);
        button.SetStyle(rt::Arial(12, true));
    }

    Separator1.Create(*this, 30, 231, 340, 4);
    Separator2.Create(*this, 30, 351, 340, 4);
}

void finstart::Event_Open() {
    ApplyCaptions();
}

void finstart::ApplyCaptions() {
    SetTitle(InLanguage(kTitle));
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(kChoices.size()); ++i)
        pushbstart(i).SetCaption(InLanguage(kChoices[static_cast<std::size_t>(i)]));
}

bool finstart::Canvasl_MouseDown(std::int32_t index, std::int32_t /*x*/, std::int32_t /*y*/) {
    globali::lingua = index + 1;
    if (globali::lingua == 1)
        Globalilocalizza::local_usa();
    else
        Globalilocalizza::local_ita();
    ApplyCaptions();
    return false;
}

void finstart::Canvasl_MouseExit(std::int32_t index) {
    Rectsel(index).SetVisible(false);
}

void finstart::Canvasl_MouseEnter(std::int32_t index) {
    Rectsel(index).SetVisible(true);
}

void finstart::pushbstart_Action(std::int32_t index) {
    // The window goes before the road starts, whatever the road then does.
    Close();
    switch (index) {
    case 0:
        Inizio::aprimmagine();
        break;
    case 1:
        rt::Instance<fingestionepunti>().Show();
        break;
    case 2:
        Inizio::apritesto();
        break;
    case 3:
        Inizio::apripcaddtesto();
        break;
    case 4:
        rt::Instance<setdxf>().Show();
        break;
    case 5:
        if (rt::Application* application = rt::Application::Current())
            application->Quit();
        break;
    default:
        break;
    }
}
