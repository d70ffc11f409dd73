// The picture road: a scanned map, scaled to the 2D editor's area, becomes the backdrop on which
// contours and spot heights are traced.

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "input/fin_edita.h"
#include "input/twodmode.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "model/screenarea.h"
#include "rt/conv.h"
#include "rt/dialogs.h"
#include "rt/folderitem.h"
#include "rt/picturelimits.h"
#include "rt/window.h"

namespace {

std::string TooLarge(const rt::PixelSize& size) {
    const std::string pixels = std::to_string(size.Width) + " x " + std::to_string(size.Height);
    return "The picture is too large for this computer: " + pixels + " pixels!\r\r" +
           "L'immagine è troppo grande per questo computer: " + pixels + " pixel!";
}

} // namespace

namespace Inizio {

void aprimmagine() {
    const std::optional<rt::FolderItem> file = rt::GetOpenFolderItem("special/any");
    if (!file)
        return;

    // The data is emptied only once the file has opened as a picture that can be shown.
    const rt::Picture opened = file->OpenAsPicture();
    const std::int32_t w = opened ? opened.Width() : 0;
    const std::int32_t h = opened ? opened.Height() : 0;
    // The picture is fitted to the screen area of this moment, which becomes the program's once
    // the picture replaces the traced one; a picture that does not open leaves both as they were.
    const screenarea::Reading area = screenarea::Latest();
    const double scale =
        w > 0 && h > 0 ? std::min(static_cast<double>(area.scrx + 80) / w, static_cast<double>(area.scry) / h)
                       : 0.0;
    const std::int32_t width = rt::conv(w * scale);
    const std::int32_t height = rt::conv(h * scale);
    if (!(std::isfinite(scale) && scale > 0.0) || width < 1 || height < 1) {
        const rt::PixelSize stated = opened ? rt::PixelSize() : rt::StatedPictureSize(file->Path());
        if (!rt::PictureFitsInMemory(stated))
            rt::MsgBox(TooLarge(stated));
        else
            rt::MsgBox(std::string("Can't open as picture!") + "\r\r" + "Non posso aprire come immagine!");
        return;
    }

    azzeradati();
    screenarea::Take(area);
    immaginesfondo = rt::Picture::New(width, height, 32);
    immaginesfondo.Graphics().DrawPicture(opened, 0, 0, width, height, 0, 0, w, h);

    const fin_edita* editor = rt::OpenInstance<fin_edita>();
    rifxy12 = {0, 0, editor != nullptr ? editor->Width() : fin_edita::kInitialWidth, 0};

    modulodxf::xz = 0;
    modulodxf::yz = 0;
    modulodxf::zxmin = 0;
    modulodxf::zymin = 0;
    modulodxf::zmfct = 1.0;

    globali::ptot = -1;
    mostra2d();
}

} // namespace Inizio
