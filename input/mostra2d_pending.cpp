// Placeholder until the 2D switch lands; removed on merge.
#include "model/inizio.h"

void Inizio::mostra2d() {
    Inizio::ambiente = 1;
}
