#pragma once
// The pictures of the 2D working mode, compiled in with the program's other pictures: the tool
// palette's faces (plain ib1..ib5, pressed ib1copia..ib5copia) and the 2D editor's cursor.

#include "rt/mousecursor.h"
#include "rt/picture.h"

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
const rt::MouseCursor* cursore();
