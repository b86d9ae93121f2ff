// SPDX-License-Identifier: GPL-2.0-or-later
// The message-map lookup shared by windows and the application object.
#include "framework/MessageMap.h"

bool RouteMessage(const MessageMap& map, CMessageTarget& target, UINT message, WPARAM wParam,
                  LPARAM lParam, LRESULT* result)
{
    for (const MessageMap* level = &map; level != nullptr; level = level->base) {
        for (const MessageRoute& route : level->routes) {
            if (route.message != message)
                continue;
            if (message == WM_COMMAND &&
                (route.notifyCode != HIWORD(wParam) ||
                 static_cast<std::uint16_t>(route.controlId) != LOWORD(wParam)))
                continue;
            *result = route.invoke(target, wParam, lParam);
            return true;
        }
    }
    return false;
}
