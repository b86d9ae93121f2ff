// SPDX-License-Identifier: GPL-2.0-or-later
// The window's command line, with the host and port held to what the dialog's fields accept and
// Qt's own options passed over for QApplication.
#include "app/CommandLine.h"

#include "res/Version.h"
#include "status/ServerAddressText.h"
#include "ui/MonitorDlg.h"

#include <CLI/CLI.hpp>
#include <string_view>

namespace {

constexpr int kUsageStatus = 2;

enum class QtValue
{
    None,              // a flag
    Next,              // -platform offscreen
    NextOrAfterEquals, // -style Fusion, or -style=Fusion
};

struct QtOption
{
    std::string_view name; // without its dash
    QtValue value;
};

// What Qt 6 takes out of argv when QApplication is made. Qt reads each with one dash or two, and
// takes the word after a value option whatever it is, so the same words are passed over here.
constexpr QtOption kQtOptions[] = {
    // QGuiApplication
    {"platform", QtValue::Next},
    {"platformpluginpath", QtValue::Next},
    {"platformtheme", QtValue::Next},
    {"plugin", QtValue::Next},
    {"qwindowgeometry", QtValue::Next},
    {"qwindowicon", QtValue::Next},
    {"qwindowtitle", QtValue::Next},
    {"session", QtValue::Next},
    {"style", QtValue::NextOrAfterEquals},
    {"reverse", QtValue::None},
    {"testability", QtValue::None},
    // QApplication, QCoreApplication
    {"stylesheet", QtValue::NextOrAfterEquals},
    {"widgetcount", QtValue::None},
    {"qdevel", QtValue::None},
    {"qdebug", QtValue::None},
    {"qmljsdebugger", QtValue::NextOrAfterEquals},
    // On X11 only; other platforms leave them in argv, where they do nothing.
    {"display", QtValue::Next},
    {"geometry", QtValue::Next},
    {"title", QtValue::Next},
    {"icon", QtValue::Next},
    {"name", QtValue::Next},
    {"visual", QtValue::Next},
    {"nograb", QtValue::None},
    {"dograb", QtValue::None},
};

// `name` without its dash; `valueAfterEquals` for "-style=Fusion".
const QtOption* FindQtOption(std::string_view name, bool valueAfterEquals)
{
    for (const QtOption& option : kQtOptions) {
        if (option.name == name &&
            (!valueAfterEquals || option.value == QtValue::NextOrAfterEquals))
            return &option;
    }
    return nullptr;
}

// The arguments that are ours, in their order, or an error text for a Qt option without its
// value.
Result<std::vector<std::string>> WithoutQtOptions(const std::vector<std::string>& arguments)
{
    constexpr std::size_t npos = std::string_view::npos;
    std::vector<std::string> ours;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        std::string_view word = arguments[index];
        if (word.starts_with("--"))
            word.remove_prefix(1);
        const std::size_t equals = word.find('=');
        const QtOption* option =
            word.starts_with('-')
                ? FindQtOption(word.substr(1, equals == npos ? npos : equals - 1), equals != npos)
                : nullptr;
        if (option == nullptr) {
            ours.push_back(arguments[index]);
        } else if (option->value != QtValue::None && equals == npos) {
            if (index + 1 == arguments.size())
                return Fail(arguments[index] + " needs a value");
            ++index;
        }
    }
    return ours;
}

// HOST[:PORT] with the host held to what the host edit takes; an error text when refused.
std::string FillServer(const std::string& text, MonitorCommandLine* options)
{
    const Result<ServerAddressText, ServerAddressError> split = SplitServerAddress(text);
    if (!split) {
        if (split.Error().fault == ServerAddressFault::BadPort)
            return "the port is not a number from 1 to 65535: " + split.Error().portText;
        return "the server has no host: " + text;
    }
    if (split->host.size() > static_cast<std::size_t>(kMaxHostLength))
        return "the host is longer than " + std::to_string(kMaxHostLength) +
               " characters: " + split->host;
    options->host = split->host;
    options->port = split->port;
    return {};
}

CommandLineExit Refusal(const std::string& error)
{
    return {kUsageStatus, "tallyhawk: " + error + "\nRun with --help for more information.\n"};
}

} // namespace

Result<MonitorCommandLine, CommandLineExit>
ParseMonitorCommandLine(const std::vector<std::string>& arguments)
{
    MonitorCommandLine options;
    std::string server;
    CLI::App app{"Watches one QuakeWorld server during a match and shows its standings.",
                 "tallyhawk"};
    app.add_option("server", server,
                   "fills the host and port fields (the port list's 27000 if none)")
        ->type_name("HOST[:PORT]");
    app.add_flag("--watch", options.watch, "press \"Watch Server\" once the window is up");
    std::vector<std::string> alertNames;
    app.add_option("--alert", alertNames,
                   "tell through the desktop when EVENT happens (" + WatchEventNamesHelp() +
                       "), for this run; repeatable")
        ->type_name("EVENT")
        ->allow_extra_args(
            false); // one name per --alert, so that a server after it stays the server
    app.set_version_flag("--version", std::string("tallyhawk ") + kDisplayVersion);
    app.footer("Press F1 in the window for the user guide.");

    const Result<std::vector<std::string>> ours = WithoutQtOptions(arguments);
    if (!ours)
        return Fail(Refusal(ours.Error()));
    // CLI11 takes the arguments last to first.
    std::vector<std::string> reversed(ours->rbegin(), ours->rend());
    std::string error;
    try {
        app.parse(reversed);
        if (!server.empty())
            error = FillServer(server, &options);
        else if (app.count("server") > 0)
            error = "the server is empty";
        for (auto name = alertNames.begin(); error.empty() && name != alertNames.end(); ++name) {
            if (!options.alerts)
                options.alerts.emplace();
            if (const Result<bool> added = options.alerts->Add(*name); !added)
                error = "--alert " + added.Error();
        }
    } catch (const CLI::CallForHelp&) {
        return Fail(CommandLineExit{0, app.help()});
    } catch (const CLI::CallForVersion&) {
        return Fail(CommandLineExit{0, std::string("tallyhawk ") + kDisplayVersion + "\n"});
    } catch (const CLI::ParseError& parseError) {
        error = parseError.what();
    }
    if (!error.empty())
        return Fail(Refusal(error));
    return options;
}
