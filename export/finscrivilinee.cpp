#include "export/finscrivilinee.h"

void finscrivilinee::Layout() {
    SetTitle("Registrazione in corso..");
    SetWidth(400);
    SetHeight(40);
    SetFrame(1);
    SetPlacement(2);
    SetCloseButton(false);
    SetMinimizeButton(false);
    SetMaximizeButton(false);
    SetResizeable(false);
    SetVisibleWhenCreated(false);
}

void finscrivilinee::RefreshChanged() {
    ProgressBar1.Refresh();
}

void finscrivilinee::CreateControls() {
    ProgressBar1.Create(*this, 20, 14, 360, 12);
    ProgressBar1.SetMaximum(100);
    ProgressBar1.SetValue(0);
}
