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
    StaticText,
    GroupBox,
    StaticIcon,
    ListBox,
    ListView,
};

// Control and window styles, as flags; only those the framework acts on or keeps for reading.
namespace style {
inline constexpr std::uint32_t kTabStop = 1u << 0;
inline constexpr std::uint32_t kGroup = 1u << 1;
inline constexpr std::uint32_t kBorder = 1u << 2;
inline constexpr std::uint32_t kDisabled = 1u << 3;
inline constexpr std::uint32_t kVerticalScroll = 1u << 4;
inline constexpr std::uint32_t kAutoHorizontalScroll = 1u << 5;
inline constexpr std::uint32_t kDefaultPushButton = 1u << 6;
inline constexpr std::uint32_t kIcon = 1u << 7; // push button shows an icon instead of text
inline constexpr std::uint32_t kAutoRadioButton = 1u << 8;
inline constexpr std::uint32_t kNotify = 1u << 9;
inline constexpr std::uint32_t kSunken = 1u << 10;
inline constexpr std::uint32_t kLeft = 1u << 11;
inline constexpr std::uint32_t kLeftNoWordWrap = 1u << 12;
inline constexpr std::uint32_t kNoPrefix = 1u << 13; // '&' shown as it stands
inline constexpr std::uint32_t kDropDown = 1u << 14; // combo box with editable text
inline constexpr std::uint32_t kSort = 1u << 15;
inline constexpr std::uint32_t kNoIntegralHeight = 1u << 16;
inline constexpr std::uint32_t kUseTabStops = 1u << 17;
inline constexpr std::uint32_t kReport = 1u << 18;
inline constexpr std::uint32_t kSingleSelection = 1u << 19;
inline constexpr std::uint32_t kAutoArrange = 1u << 20;
inline constexpr std::uint32_t kShareImageLists = 1u << 21;
// Window styles of the dialog itself.
inline constexpr std::uint32_t kPopup = 1u << 22;
inline constexpr std::uint32_t kVisible = 1u << 23;
inline constexpr std::uint32_t kCaption = 1u << 24;
inline constexpr std::uint32_t kSystemMenu = 1u << 25;
inline constexpr std::uint32_t kSizingFrame = 1u << 26;
inline constexpr std::uint32_t kMinimizeBox = 1u << 27;
inline constexpr std::uint32_t kMaximizeBox = 1u << 28;
inline constexpr std::uint32_t kModalFrame = 1u << 29;
inline constexpr std::uint32_t kApplicationWindow = 1u << 30;
} // namespace style

struct ControlTemplate
{
    int id = -1; // -1: no identifier of its own
    ControlKind kind = ControlKind::StaticText;
    std::string caption;
    // Names a control that shows no caption (an icon button): its tooltip and accessible name.
    std::string toolTip;
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
    std::string fontFace;
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
