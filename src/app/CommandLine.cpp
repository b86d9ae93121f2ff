// The window's command line, with the host and port held to what the dialog's fields accept.
#include "app/CommandLine.h"

#include "res/Version.h"
#include "ui/MonitorDlg.h"

#include <CLI/CLI.hpp>
#include <charconv>

namespace {

constexpr int kUsageStatus = 2;

// HOST[:PORT] split at the last colon; an error text when either part is not what the host
// edit (at most 15 characters) or a port (1 to 65535) takes.
std::string SplitServer(const std::string& text, MonitorCommandLine* options)
{
    std::string host = text;
    std::optional<std::string> port;
    if (std::size_t colon = text.rfind(':'); colon != std::string::npos) {
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
    }
    if (host.empty())
        return "the server has no host: " + text;
    if (host.size() > static_cast<std::size_t>(kMaxHostLength))
        return "the host is longer than " + std::to_string(kMaxHostLength) + " characters: " + host;
    if (port) {
        unsigned value = 0;
        const char* end = port->data() + port->size();
        auto [stop, error] = std::from_chars(port->data(), end, value);
        if (port->empty() || error != std::errc() || stop != end || value < 1 || value > 65535)
            return "the port is not a number from 1 to 65535: " + *port;
    }
    options->host = host;
    options->port = port;
    return {};
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
    app.set_version_flag("--version", std::string("tallyhawk ") + kDisplayVersion);
    app.footer("Press F1 in the window for the user guide.");

    // CLI11 takes the arguments last to first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    std::string error;
    try {
        app.parse(reversed);
        if (!server.empty())
            error = SplitServer(server, &options);
        else if (app.count("server") > 0)
            error = "the server is empty";
    } catch (const CLI::CallForHelp&) {
        return Fail(CommandLineExit{0, app.help()});
    } catch (const CLI::CallForVersion&) {
        return Fail(CommandLineExit{0, std::string("tallyhawk ") + kDisplayVersion + "\n"});
    } catch (const CLI::ParseError& parseError) {
        error = parseError.what();
    }
    if (!error.empty())
        return Fail(CommandLineExit{kUsageStatus, "tallyhawk: " + error +
                                                      "\nRun with --help for more information.\n"});
    return options;
}
