// The 2D working mode's windows: the tool palette and the 2D editor open afresh and show the
// data; the editor leaves a snapshot for the 3D view.

#include "input/twodmode.h"

#include "input/fin_edita.h"
#include "input/finimmagine.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "model/screenarea.h"
#include "rt/application.h"
#include "rt/conv.h"

namespace twodmode {

void Open() {
    rt::CloseIfOpen<finimmagine>();
    rt::CloseIfOpen<fin_edita>();

    rt::Instance<finimmagine>().Show();
    screenarea::Refresh();
    // The editor is filled before it is first shown: repainting it at every yield while it grows
    // to many items would cost more than the drawing itself.
    fin_edita& editor = rt::InstanceNotShown<fin_edita>();
    editor.SetWidth(globali::scrx + 80);
    editor.SetHeight(globali::scry);
    Inizio::ambiente = 1;
    rt::EnableMenuItems();

    if (Inizio::immaginesfondo) {
        Inizio::mettimmagine();
        modulodxf::nozooma();
    } else {
        modulodxf::zooma();
    }
    editor.Show();
}

rt::Picture EditorSnapshot() {
    const fin_edita& editor = rt::Instance<fin_edita>();
    rt::Picture photo = rt::Picture::New(editor.Width(), editor.Height(), 32);
    if (!photo)
        return photo;
    rt::Graphics& g = photo.Graphics();
    g.SetForeColor(rt::HSV(0, 0, 0.9));
    g.FillRect(0, 0, editor.Width(), editor.Height());
    g.DrawPicture(editor.DrawIntoPicture(), 0, 0);
    return photo;
}

void CloseWindows() {
    rt::CloseIfOpen<finimmagine>();
    rt::CloseIfOpen<fin_edita>();
}

} // namespace twodmode

namespace Inizio {

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
