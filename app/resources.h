#pragma once
// The program's pictures and its mouse cursor, compiled into the executable and reached by name
// (rt::ResourcePicture): each accessor returns the picture of its own name, loaded on first use
// and kept.

#include "rt/mousecursor.h"
#include "rt/picture.h"

// Faces of the control panel's view buttons: isometric, monometric, dimetric, top view.
rt::Picture Picture1();
rt::Picture Picture2();
rt::Picture Picture3();
rt::Picture Picture4();

// The start window's language flags: Italian and US.
rt::Picture bita();
rt::Picture busa();

// 35 x 24 icons of the control panel: in front of the "Y Points" row, the "X Points" row and
// the mesh label (also the about window's picture).
rt::Picture ico1();
rt::Picture ico2();
rt::Picture mesh35x24();

// The tool palette's faces and the 2D editor's cursor belong to the 2D working mode.
#include "input/pictures2d.h"
