// SPDX-License-Identifier: GPL-2.0-or-later
// The window-message vocabulary shared by the socket layer and the window framework: message
// numbers and parameters as the native platform packs them, and the one operation a socket
// needs of its owner window, a synchronous send. Standard library only.
#pragma once

#include <cstdint>

using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

inline constexpr UINT WM_USER = 0x0400;

// Packs two 16-bit words into one 32-bit value, low word first.
constexpr std::uint32_t MAKELONG(std::uint16_t low, std::uint16_t high)
{
    return static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
}

constexpr std::uint16_t LOWORD(std::uintptr_t value)
{
    return static_cast<std::uint16_t>(value & 0xFFFF);
}

constexpr std::uint16_t HIWORD(std::uintptr_t value)
{
    return static_cast<std::uint16_t>((value >> 16) & 0xFFFF);
}

// A window that takes messages synchronously: SendMessage returns only after the message has
// been handled. Implemented by the framework's windows; used by sockets to report to their owner.
class CMessageTarget
{
public:
    virtual LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~CMessageTarget() = default;
};
