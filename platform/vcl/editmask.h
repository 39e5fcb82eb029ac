#pragma once
// The runtime's edit masks ("!99/99/0000;1;_": mask, save-literals flag, blank character) as Qt
// input masks, for the data-aware edits and the grids' inplace editors alike.
#include <QString>

// The mask as a Qt input mask ("!90:00:00;1;_" gives "09:99:99;_"); "/" and ":" become the
// date and time separators of the format settings, as the runtime shows them. The second part
// (save literals) is returned through saveLiterals (true unless "0"). An empty mask gives "".
QString EditMaskToInputMask(const QString& editMask, bool* saveLiterals = nullptr);
