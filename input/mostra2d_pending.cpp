// Placeholder until the 2D switch lands; removed on merge.

#include "model/inizio.h"

namespace Inizio {

void mostra2d() {
    ambiente = 1;
}

} // namespace Inizio
