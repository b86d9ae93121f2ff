// SPDX-License-Identifier: GPL-2.0-or-later
// Message boxes over QMessageBox, and the test hook.
#include "framework/MessageBox.h"

#include "framework/Text.h"

#include <QMessageBox>
#include <QTimer>

namespace {

// The icon bits of a box type; MB_ICONEXCLAMATION is the only icon the program names.
constexpr UINT kIconMask = 0x00F0;

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}

MessageBoxIcon IconOf(UINT type)
{
    return (type & kIconMask) == MB_ICONEXCLAMATION ? MessageBoxIcon::Exclamation
                                                    : MessageBoxIcon::None;
}

} // namespace

void SetMessageBoxHook(MessageBoxHook hook)
{
    Hook() = std::move(hook);
}

int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption, UINT type)
{
    const MessageBoxIcon icon = IconOf(type);
    QMessageBox box(icon == MessageBoxIcon::Exclamation ? QMessageBox::Warning
                                                        : QMessageBox::NoIcon,
                    ToUnicode(caption), ToUnicode(text), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    if (Hook()) {
        // Copy the hook: it may be replaced while this box's loop runs.
        MessageBoxHook hook = Hook();
        std::chrono::milliseconds keepOpen = hook({text, caption, icon, owner});
        QTimer::singleShot(keepOpen, &box, [&box] { box.done(QMessageBox::Ok); });
    }
    // Nested event loop: timer ticks, socket events and further boxes run until this one closes.
    box.exec();
    return IDOK;
}
