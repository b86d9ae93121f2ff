// SPDX-License-Identifier: GPL-2.0-or-later
// Reading dialog templates from their JSON form. Unknown names are errors rather than ignored,
// so a typo in a template shows at load time instead of as a control that looks wrong.
#include "framework/DialogTemplate.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>
#include <set>

namespace {

const std::map<QString, ControlKind>& KindNames()
{
    static const std::map<QString, ControlKind> names = {
        {"edit", ControlKind::Edit},
        {"combobox", ControlKind::ComboBox},
        {"pushbutton", ControlKind::PushButton},
        {"radiobutton", ControlKind::RadioButton},
        {"checkbox", ControlKind::CheckBox},
        {"static", ControlKind::StaticText},
        {"groupbox", ControlKind::GroupBox},
        {"icon", ControlKind::StaticIcon},
        {"listbox", ControlKind::ListBox},
        {"listview", ControlKind::ListView},
    };
    return names;
}

const std::map<QString, std::uint32_t>& StyleNames()
{
    using namespace style;
    static const std::map<QString, std::uint32_t> names = {
        {"tabstop", kTabStop},
        {"group", kGroup},
        {"border", kBorder},
        {"disabled", kDisabled},
        {"defpushbutton", kDefaultPushButton},
        {"autoradiobutton", kAutoRadioButton},
        {"sunken", kSunken},
        {"leftnowordwrap", kLeftNoWordWrap},
        {"dropdown", kDropDown},
        {"sort", kSort},
        {"singlesel", kSingleSelection},
        {"caption", kCaption},
        {"sysmenu", kSystemMenu},
        {"sizingframe", kSizingFrame},
        {"minimizebox", kMinimizeBox},
        {"maximizebox", kMaximizeBox},
        {"appwindow", kApplicationWindow},
    };
    return names;
}

// Styles a template may name that change nothing, since the widgets always behave that way.
const std::set<QString>& InertStyleNames()
{
    static const std::set<QString> names = {
        "vscroll",          // lists and combo boxes show a scroll bar when they need one
        "autohscroll",      // a line edit always scrolls with the caret
        "icon",             // a push button shows the icon it is given (CButton::SetIcon)
        "notify",           // every control sends its notifications
        "autocheckbox",     // a check box always changes its state when clicked
        "left",             // static text is always left-aligned
        "noprefix",         // static text is plain: '&' shows as it stands
        "nointegralheight", // a list is as high as its template says, not whole rows
        "usetabstops",      // the list box always expands tabs (TabStopListWidget)
        "report",           // the list view is always in report style
        "autoarrange",      // arranges icon views only
        "shareimagelists",  // the list view always borrows its image lists
        "popup",            // every dialog is a top-level window...
        "visible",          // ...shown by Create or DoModal...
        "modalframe",       // ...with a dialog frame
    };
    return names;
}

bool ReadStyles(const QJsonValue& value, std::uint32_t* styles, std::string* error)
{
    *styles = 0;
    for (const QJsonValue& name : value.toArray()) {
        if (InertStyleNames().count(name.toString()) != 0)
            continue;
        auto found = StyleNames().find(name.toString());
        if (found == StyleNames().end()) {
            *error = "unknown style \"" + name.toString().toStdString() + "\"";
            return false;
        }
        *styles |= found->second;
    }
    return true;
}

std::string Latin1Text(const QJsonValue& value)
{
    // Templates are ASCII text; Latin-1 keeps any accented caption byte for byte.
    return value.toString().toLatin1().toStdString();
}

bool ReadControl(const QJsonObject& object, ControlTemplate* control, std::string* error)
{
    auto kind = KindNames().find(object.value("kind").toString());
    if (kind == KindNames().end()) {
        *error = "unknown control kind \"" + object.value("kind").toString().toStdString() + "\"";
        return false;
    }
    QJsonArray rect = object.value("rect").toArray();
    if (rect.size() != 4) {
        *error = "control without a rect of four numbers";
        return false;
    }
    control->id = object.value("id").toInt(-1);
    control->kind = kind->second;
    control->caption = Latin1Text(object.value("caption"));
    control->toolTip = Latin1Text(object.value("tooltip"));
    control->accessibleName = Latin1Text(object.value("accessibleName"));
    control->iconId = object.value("iconResource").toInt(0);
    control->x = rect[0].toInt();
    control->y = rect[1].toInt();
    control->width = rect[2].toInt();
    control->height = rect[3].toInt();
    for (const QJsonValue& item : object.value("items").toArray())
        control->initialItems.push_back(Latin1Text(item));
    return ReadStyles(object.value("styles"), &control->styles, error);
}

} // namespace

Result<DialogTemplate> ParseDialogTemplate(const std::string& json)
{
    std::string error;
    QJsonParseError parseError;
    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json), &parseError);
    if (document.isNull() || !document.isObject()) {
        return Fail("malformed template: " + parseError.errorString().toStdString());
    }
    QJsonObject root = document.object();
    DialogTemplate result;
    result.id = root.value("id").toInt();
    result.caption = Latin1Text(root.value("caption"));
    result.fontPoints = root.value("font").toObject().value("points").toInt(8);
    QJsonArray size = root.value("size").toArray();
    if (size.size() != 2)
        return Fail(std::string("template without a size of two numbers"));
    result.width = size[0].toInt();
    result.height = size[1].toInt();
    if (!ReadStyles(root.value("styles"), &result.styles, &error))
        return Fail(std::move(error));
    for (const QJsonValue& value : root.value("controls").toArray()) {
        ControlTemplate control;
        if (!ReadControl(value.toObject(), &control, &error))
            return Fail(std::move(error));
        result.controls.push_back(std::move(control));
    }
    return result;
}

Result<DialogTemplate> LoadDialogTemplate(int id)
{
    QFile file(QStringLiteral(":/dialogs/%1.json").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return Fail("no dialog template " + std::to_string(id));
    return ParseDialogTemplate(file.readAll().toStdString());
}
