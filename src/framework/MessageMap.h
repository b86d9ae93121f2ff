// SPDX-License-Identifier: GPL-2.0-or-later
// Message maps as data: each window class has one table of routes (message, notification code,
// control identifier, handler) and a link to its base class's table. A window looks a message up
// in its own table first, then in its bases', and gives unrouted messages the default handling.
// Windows and the application object (which takes the commands no window handles) both have one.
#pragma once

#include "framework/Gdi.h"
#include "framework/WindowMessages.h"

#include <span>
#include <type_traits>

class QIcon;
class QPoint;

struct MessageRoute
{
    UINT message = 0;
    UINT notifyCode = 0; // WM_COMMAND only
    int controlId = 0;   // WM_COMMAND only
    LRESULT (*invoke)(CMessageTarget& target, WPARAM wParam, LPARAM lParam) = nullptr;
};

struct MessageMap
{
    std::span<const MessageRoute> routes;
    const MessageMap* base = nullptr;
};

namespace message_map_detail {

template <class Member> struct MemberOf;

template <class Class, class Function> struct MemberOf<Function Class::*>
{
    using type = Class;
};

// Calls a handler with the parameters its signature takes, unpacked as the platform packs them.
template <auto Handler> LRESULT Invoke(CMessageTarget& receiver, WPARAM wParam, LPARAM lParam)
{
    using Class = typename MemberOf<decltype(Handler)>::type;
    using HandlerType = decltype(Handler);
    auto& target = static_cast<Class&>(receiver);
    if constexpr (std::is_same_v<HandlerType, void (Class::*)()>) {
        (target.*Handler)();
        return 0;
    } else if constexpr (std::is_same_v<HandlerType, void (Class::*)(UINT)>) {
        (target.*Handler)(static_cast<UINT>(wParam));
        return 0;
    } else if constexpr (std::is_same_v<HandlerType, void (Class::*)(UINT, LPARAM)>) {
        (target.*Handler)(static_cast<UINT>(wParam), lParam);
        return 0;
    } else if constexpr (std::is_same_v<HandlerType, const QIcon* (Class::*)()>) {
        return reinterpret_cast<LRESULT>((target.*Handler)());
    } else if constexpr (std::is_same_v<HandlerType, HBRUSH (Class::*)(CDC*, CWnd*, UINT)>) {
        // WM_CTLCOLOR: the device context, the asking control and its kind.
        auto* source = reinterpret_cast<const ControlColorSource*>(lParam);
        return reinterpret_cast<LRESULT>(
            (target.*Handler)(reinterpret_cast<CDC*>(wParam), source->control, source->kind));
    } else if constexpr (std::is_same_v<HandlerType, void (Class::*)(int, const QPoint&)>) {
        // WM_CONTEXTMENU: the control asked for and where the menu opens, on the screen.
        (target.*Handler)(static_cast<int>(wParam), *reinterpret_cast<const QPoint*>(lParam));
        return 0;
    } else {
        static_assert(std::is_same_v<HandlerType, LRESULT (Class::*)(WPARAM, LPARAM)>,
                      "unsupported message handler signature");
        return (target.*Handler)(wParam, lParam);
    }
}

} // namespace message_map_detail

// A window message (WM_TIMER, WM_SYSCOMMAND, WM_SOCKET_EVENT, ...) to a member handler.
template <auto Handler> constexpr MessageRoute OnMessage(UINT message)
{
    return {message, 0, 0, &message_map_detail::Invoke<Handler>};
}

// A control notification (BN_CLICKED, EN_CHANGE, ...) of one control to a member handler.
template <auto Handler> constexpr MessageRoute OnNotify(UINT notifyCode, int controlId)
{
    return {WM_COMMAND, notifyCode, controlId, &message_map_detail::Invoke<Handler>};
}

// A command (WM_COMMAND from a menu, an accelerator or the keyboard: no control) to a handler.
template <auto Handler> constexpr MessageRoute OnCommand(int commandId)
{
    return {WM_COMMAND, 0, commandId, &message_map_detail::Invoke<Handler>};
}

// Looks the message up in `map` and its bases and runs the first route that takes it; false,
// with *result untouched, when none does.
bool RouteMessage(const MessageMap& map, CMessageTarget& target, UINT message, WPARAM wParam,
                  LPARAM lParam, LRESULT* result);
