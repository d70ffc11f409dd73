// The switch to the 2D working mode: the 3D working mode's panel and drawing close, the tool
// palette and the 2D editor open afresh and show the data.

#include "input/fin_edita.h"
#include "input/finimmagine.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/application.h"
#include "views/fincontrol.h"
#include "views/finestra.h"

namespace Inizio {

void mostra2d() {
    rt::CloseIfOpen<fincontrol>();
    rt::CloseIfOpen<Finestra>();
    rt::CloseIfOpen<finimmagine>();
    rt::CloseIfOpen<fin_edita>();

    rt::Instance<finimmagine>().Show();
    fin_edita& editor = rt::Instance<fin_edita>();
    // The editor is filled before it is first shown: repainting it at every yield while it grows
    // to many items would cost more than the drawing itself.
    editor.Hide();
    editor.SetWidth(globali::scrx + 80);
    editor.SetHeight(globali::scry);
    ambiente = 1;
    rt::EnableMenuItems();

    if (immaginesfondo) {
        mettimmagine();
        modulodxf::nozooma();
    } else {
        modulodxf::zooma();
    }
    editor.Show();
}

void mettimmagine() {
    fin_edita& editor = rt::Instance<fin_edita>();
    editor.SetWidth(immaginesfondo.Width());
    editor.SetHeight(immaginesfondo.Height());
    editor.SetBackdrop(immaginesfondo);
    rt::Instance<finimmagine>().BevelBut(2).SetEnabled(true);
    rifxy12.resize(4, 0);
    editor.linscala.SetEnds(rifxy12[0], rifxy12[1], rifxy12[2], rifxy12[3]);
    editor.linscala.SetVisible(false);
}

} // namespace Inizio
