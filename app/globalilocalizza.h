#pragma once
// The menu captions of the two interface languages; Qt's own dialogs follow the language too.

namespace Globalilocalizza {

// English captions on the application's menu bar, English dialogs.
void local_usa();
// Italian captions on the application's menu bar, Qt's dialogs in Italian.
void local_ita();
// The captions of the language in force: English when globali::lingua is 1, Italian otherwise.
void ApplyLanguage();

} // namespace Globalilocalizza
