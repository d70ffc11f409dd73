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

// The tool palette's buttons: plain faces ib1..ib5 and pressed faces ib1copia..ib5copia
// (1 select, 2 reference, 3 contour, 4 single point, 5 delete).
rt::Picture ib1();
rt::Picture ib2();
rt::Picture ib3();
rt::Picture ib4();
rt::Picture ib5();
rt::Picture ib1copia();
rt::Picture ib2copia();
rt::Picture ib3copia();
rt::Picture ib4copia();
rt::Picture ib5copia();

// The 2D editor's mouse cursor; null when it cannot be loaded. The object lives for the rest of
// the run, so windows may keep the pointer.
const rt::MouseCursor* cursore();
