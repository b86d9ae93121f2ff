// SPDX-License-Identifier: GPL-2.0-or-later
// The data exchange between a dialog's members and its controls. A dialog's DoDataExchange calls
// these steps in order; in the saving direction a failed step shows its message, puts the focus
// on its control with the whole text selected and marks the exchange failed, after which every
// later step does nothing, so the members after it keep their values.
#pragma once

#include <cstdint>
#include <map>
#include <string>

class CWnd;
class QWidget;

enum class Direction
{
    Load, // members to controls
    Save, // controls to members, with validation
    // Members to controls, except the edits the person has typed into since the last Save read
    // them: a display refresh that lands while someone types must not take their text away.
    LoadKeepingTyping,
};

class CDataExchange
{
public:
    // `controls` are the dialog's identified controls; the dialog keeps them for the exchange.
    CDataExchange(const std::map<int, QWidget*>& controls, Direction direction);

    bool IsSaving() const { return direction == Direction::Save; }
    bool KeepsTyping() const { return direction == Direction::LoadKeepingTyping; }
    bool Failed() const { return failed; }

    // The control the next steps work on, or null if the dialog has none with that identifier.
    QWidget* PrepareControl(int id);
    QWidget* PrepareEditControl(int id);
    QWidget* LastControl() const { return lastControl; }
    bool LastControlIsEdit() const { return lastIsEdit; }

    // Shows `message` (exclamation icon, application title), then fails the exchange.
    void FailWithMessage(const std::string& message);

private:
    const std::map<int, QWidget*>& controls;
    Direction direction;
    QWidget* lastControl = nullptr;
    bool lastIsEdit = false;
    bool failed = false;
};

// Attaches `control` to the dialog's child window `id` on the first exchange.
void ExchangeControl(CDataExchange& dx, int id, CWnd& control);
// Text; loading writes only a text that differs from what the control shows. Saving reads an
// edit and marks it read, so that typing after it counts for LoadKeepingTyping.
void ExchangeText(CDataExchange& dx, int id, std::string& value);
// Integer text: "%d" when loading; the integer rules (IntegerText.h) when saving, with
// "Please enter an integer." on failure.
void ExchangeText(CDataExchange& dx, int id, std::int32_t& value);
// Check box: on or off.
void ExchangeCheck(CDataExchange& dx, int id, bool& value);
// Combo box: loading selects the first list entry that begins with the text (case ignored) or
// else shows the text itself; saving reads the edit part.
void ExchangeComboText(CDataExchange& dx, int id, std::string& value);
// Saving only: "Please enter an integer between <min> and <max>." outside [min, max].
void ValidateRange(CDataExchange& dx, std::int32_t value, std::int32_t min, std::int32_t max);
// Saving: "Please enter no more than <max> characters." when longer; otherwise the edit of the
// last step gets `maxChars` as its input limit.
void ValidateMaxChars(CDataExchange& dx, const std::string& value, int maxChars);
