// SPDX-License-Identifier: GPL-2.0-or-later
// Dialog templates as data: the window and its controls with positions in dialog units, loaded
// from the program's resources (":/dialogs/<id>.json"). Control order is creation and tab order.
#pragma once

#include "status/Result.h"

#include <cstdint>
#include <string>
#include <vector>

enum class ControlKind
{
    Edit,
    ComboBox,
    PushButton,
    RadioButton,
    CheckBox,
    StaticText,
    GroupBox,
    StaticIcon,
    ListBox,
    ListView,
};

// The styles the framework acts on, as flags. Templates may also name styles that change nothing
// here, because the widgets always behave that way; those are accepted and dropped, and listed
// with the reason in one table (DialogTemplate.cpp).
namespace style {
inline constexpr std::uint32_t kTabStop = 1u << 0;
inline constexpr std::uint32_t kGroup = 1u << 1;
inline constexpr std::uint32_t kBorder = 1u << 2;
inline constexpr std::uint32_t kDisabled = 1u << 3;
inline constexpr std::uint32_t kDefaultPushButton = 1u << 4;
inline constexpr std::uint32_t kAutoRadioButton = 1u << 5;
inline constexpr std::uint32_t kSunken = 1u << 6;
inline constexpr std::uint32_t kLeftNoWordWrap = 1u << 7;
inline constexpr std::uint32_t kDropDown = 1u << 8; // combo box with editable text
inline constexpr std::uint32_t kSort = 1u << 9;
inline constexpr std::uint32_t kSingleSelection = 1u << 10;
// Window styles of the dialog itself.
inline constexpr std::uint32_t kCaption = 1u << 11;
inline constexpr std::uint32_t kSystemMenu = 1u << 12;
inline constexpr std::uint32_t kSizingFrame = 1u << 13;
inline constexpr std::uint32_t kMinimizeBox = 1u << 14;
inline constexpr std::uint32_t kMaximizeBox = 1u << 15;
inline constexpr std::uint32_t kApplicationWindow = 1u << 16;
} // namespace style

struct ControlTemplate
{
    int id = -1; // -1: no identifier of its own
    ControlKind kind = ControlKind::StaticText;
    std::string caption;
    // Names a control that shows no caption (an icon button): its tooltip, and its accessible name
    // unless accessibleName gives one.
    std::string toolTip;
    // What a screen reader calls a control that no caption static labels (AccessibleLabels.h); a
    // value static is read as this name followed by its text.
    std::string accessibleName;
    int iconId = 0; // static icon: the icon resource shown
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::uint32_t styles = 0;
    std::vector<std::string> initialItems; // a combo or list box's initialisation data
};

struct DialogTemplate
{
    int id = 0;
    std::string caption;
    // The template's font size; its face is not kept, the desktop's sans font stands in for it.
    int fontPoints = 8;
    int width = 0;
    int height = 0;
    std::uint32_t styles = 0;
    std::vector<ControlTemplate> controls;
};

// Parses a template from its JSON text. Fails, saying why, for malformed JSON, an unknown kind or
// style name, or a missing field.
Result<DialogTemplate> ParseDialogTemplate(const std::string& json);

// Loads template `id` from the program's resources; fails if it is missing or malformed.
Result<DialogTemplate> LoadDialogTemplate(int id);
