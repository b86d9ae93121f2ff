// The program's resources by identifier: string table entries (":/strings.json") and icons
// (":/icons/<id>.png", with an optional 16-pixel image ":/icons/<id>-16.png").
#pragma once

#include "framework/Wnd.h"

#include <string>

// Empty when the string table has no such entry.
std::string AfxLoadString(UINT id);

// Null when the program has no such icon. Loaded once; shared and never freed.
HICON AfxLoadIcon(UINT id);
