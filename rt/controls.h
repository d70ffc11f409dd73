#pragma once
// All the native controls, for code that uses several of them.

#include "rt/bevelbutton.h"
#include "rt/canvas.h"
#include "rt/checkbox.h"
#include "rt/editfield.h"
#include "rt/progressbar.h"
#include "rt/pushbutton.h"
#include "rt/radiobutton.h"
#include "rt/separator.h"
#include "rt/slider.h"
#include "rt/statictext.h"
#include "rt/textstyle.h"
