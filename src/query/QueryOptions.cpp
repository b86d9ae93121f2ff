// SPDX-License-Identifier: GPL-2.0-or-later
// The options of tallyhawk-query, read by a small table of long options. A query is one short
// process, and building a general parser's model of its options took about as long as the
// exchange with a server on the same network; this reads the arguments once, in order.
#include "query/QueryOptions.h"

#include "query/ExitCode.h"
#include "res/Version.h"
#include "status/StatusWireFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

enum class OptionId
{
    FromFile,
    Json,
    Raw,
    Format,
    TeamMode,
    Team1,
    Team2,
    Team3,
    Timeout,
    Watch,
    Count,
    Record,
    Events,
    Until,
    NoFence,
    Extended,
    Help,
    Version,
};

struct OptionSpec
{
    std::string_view name;
    OptionId id;
    std::string_view valueName; // empty for a flag
};

// In the order --help lists them.
constexpr std::array kOptions{
    OptionSpec{"--from-file", OptionId::FromFile, "PATH"},
    OptionSpec{"--json", OptionId::Json, ""},
    OptionSpec{"--raw", OptionId::Raw, ""},
    OptionSpec{"--format", OptionId::Format, "FORMAT"},
    OptionSpec{"--team-mode", OptionId::TeamMode, "MODE"},
    OptionSpec{"--team1", OptionId::Team1, "T"},
    OptionSpec{"--team2", OptionId::Team2, "T"},
    OptionSpec{"--team3", OptionId::Team3, "T"},
    OptionSpec{"--timeout", OptionId::Timeout, "SECONDS"},
    OptionSpec{"--watch", OptionId::Watch, "SECONDS"},
    OptionSpec{"--count", OptionId::Count, "N"},
    OptionSpec{"--record", OptionId::Record, "FILE"},
    OptionSpec{"--events", OptionId::Events, ""},
    OptionSpec{"--until", OptionId::Until, "EVENT"},
    OptionSpec{"--no-fence", OptionId::NoFence, ""},
    OptionSpec{"--extended", OptionId::Extended, ""},
    OptionSpec{"--help", OptionId::Help, ""},
    OptionSpec{"--version", OptionId::Version, ""},
};

// The table is indexed by OptionId.
constexpr bool InOptionIdOrder()
{
    for (std::size_t index = 0; index < kOptions.size(); ++index)
        if (static_cast<std::size_t>(kOptions[index].id) != index)
            return false;
    return true;
}
static_assert(InOptionIdOrder());

const OptionSpec& Spec(OptionId id)
{
    return kOptions[static_cast<std::size_t>(id)];
}

constexpr std::array<std::pair<std::string_view, OutputFormat>, 5> kFormats{{
    {"table", OutputFormat::Table},
    {"json", OutputFormat::Json},
    {"csv", OutputFormat::Csv},
    {"markdown", OutputFormat::Markdown},
    {"raw", OutputFormat::Raw},
}};

constexpr std::array<std::pair<std::string_view, TeamMode>, 3> kTeamModes{{
    {"skin", TeamMode::Skin},
    {"color", TeamMode::Color},
    {"team", TeamMode::Team},
}};

std::string OptionHelp(OptionId id)
{
    switch (id) {
    case OptionId::FromFile:
        return "read a saved reply (the bytes up to the first zero byte) instead of querying a "
               "server";
    case OptionId::Json:
        return "print one JSON object on one line";
    case OptionId::Raw:
        return "write the collected reply bytes instead of the standings, for replay with "
               "--from-file";
    case OptionId::Format:
        return "table (default), json (as --json), csv (one row per player), markdown, or raw "
               "(as --raw)";
    case OptionId::TeamMode:
        return "skin, color or team: match the team texts against skin names, bottom colours "
               "or, with --extended, the team each player gives (default skin)";
    case OptionId::Team1:
        return "team 1: a skin name, a colour number or a team name";
    case OptionId::Team2:
        return "team 2, like --team1";
    case OptionId::Team3:
        return "team 3, like --team1";
    case OptionId::Timeout:
        return "seconds to wait for the reply, also from a file (0.001 to 3600, default 2)";
    case OptionId::Watch:
        return "repeat the query every SECONDS (0.1 to 86400) and redraw the standings until "
               "interrupted";
    case OptionId::Count:
        return "with --watch: stop after this many refreshes";
    case OptionId::Record:
        return "with --watch: append each reply's standings to FILE as a match record (JSON "
               "Lines), the format the window's timeline opens";
    case OptionId::Events:
        return "with --watch: print a line per event (players joining and leaving, the match "
               "starting and ending; with --json a JSON object) instead of the standings";
    case OptionId::Until:
        return "with --watch: exit 0 as soon as EVENT happens (" + WatchEventNamesHelp() +
               "); repeatable, the first of them ends the watch";
    case OptionId::NoFence:
        return "send the status request alone, without the ping whose answer tells that the "
               "reply has ended (a reply that may go on is then followed by a short wait)";
    case OptionId::Extended:
        return "ask 'status " + std::to_string(kExtendedStatusFlags) +
               "' (with --from-file: read the file as its answer): each player's team, "
               "spectators listed apart, bots marked";
    case OptionId::Help:
        return "print this help and exit";
    case OptionId::Version:
        return "print the version and exit";
    }
    return {};
}

// Words of the text in lines of at most `width` columns after `indent` spaces; the first line
// goes on from `column`, where the caller left the cursor.
void WriteWrapped(std::ostream& out, std::string_view text, std::size_t column, std::size_t indent,
                  std::size_t width = 79)
{
    if (column > 0 && column >= indent) { // no room for a space before the text
        out << "\n" << std::string(indent, ' ');
        column = indent;
    }
    out << std::string(indent - column, ' ');
    column = indent;
    bool lineStart = true;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(' '), text.size());
        const std::string_view word = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!lineStart && column + 1 + word.size() > width) {
            out << "\n" << std::string(indent, ' ');
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            out << ' ';
            ++column;
        }
        out << word;
        column += word.size();
        lineStart = false;
    }
    out << "\n";
}

void WriteHelp(std::ostream& out)
{
    constexpr std::size_t kHelpColumn = 22;
    out << "Usage: tallyhawk-query [OPTIONS] HOST[:PORT]\n"
           "       tallyhawk-query [OPTIONS] --from-file PATH\n\n";
    WriteWrapped(out,
                 "Queries a QuakeWorld server for its status (or reads a saved reply) and prints "
                 "the standings: serverinfo, players ordered by frags, total frags, team totals "
                 "and the longest time.",
                 0, 0);
    out << "\n";
    WriteWrapped(out,
                 "HOST[:PORT] is the server (port " + std::to_string(kDefaultServerPort) +
                     " if none); an IPv6 address as [ADDRESS]:PORT, or bare without a port.",
                 0, 0);
    out << "\nOptions:\n";
    for (const OptionSpec& option : kOptions) {
        std::string usage = "  ";
        usage += option.name;
        if (!option.valueName.empty())
            usage.append(" ").append(option.valueName);
        out << usage;
        WriteWrapped(out, OptionHelp(option.id), usage.size(), kHelpColumn);
    }
    out << "\n" << ExitCodeHelp();
}

const OptionSpec* FindOption(std::string_view name)
{
    for (const OptionSpec& option : kOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

// A seconds value in [minimum, maximum]: finite, the whole text a number.
std::optional<double> SecondsIn(std::string_view text, double minimum, double maximum)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

template <typename Value, std::size_t Count>
std::optional<Value> Member(const std::array<std::pair<std::string_view, Value>, Count>& members,
                            std::string_view name)
{
    for (const auto& [memberName, value] : members)
        if (memberName == name)
            return value;
    return std::nullopt;
}

template <typename Value, std::size_t Count>
std::string MemberList(const std::array<std::pair<std::string_view, Value>, Count>& members)
{
    std::string list;
    for (const auto& member : members)
        list.append(list.empty() ? "" : ", ").append(member.first);
    return list;
}

// What the arguments said, before the checks between options.
struct Given
{
    std::array<bool, kOptions.size()> options{};
    bool server = false;
    std::string_view format = "table";
    std::string_view teamMode = "skin";
    std::vector<std::string_view> untilNames;

    bool Has(OptionId id) const { return options[static_cast<std::size_t>(id)]; }
};

ExitCode UsageError(const std::string& message)
{
    std::cerr << "tallyhawk-query: " << message << "\n"
              << "Run with --help for more information.\n";
    return ExitCode::Usage;
}

// Takes one option's value into the options; a message when the value is not one it takes.
std::optional<std::string> Apply(OptionId id, std::string_view value, QueryOptions& options,
                                 Given& given)
{
    switch (id) {
    case OptionId::FromFile:
        options.fromFile = std::string(value);
        break;
    case OptionId::Json:
        options.json = true;
        break;
    case OptionId::Raw:
        options.raw = true;
        break;
    case OptionId::Format:
        if (!Member(kFormats, value))
            return "--format: " + std::string(value) + " is not one of " + MemberList(kFormats);
        given.format = value;
        break;
    case OptionId::TeamMode:
        if (!Member(kTeamModes, value))
            return "--team-mode: " + std::string(value) + " is not one of " +
                   MemberList(kTeamModes);
        given.teamMode = value;
        break;
    case OptionId::Team1:
        options.teamTexts[0] = std::string(value);
        break;
    case OptionId::Team2:
        options.teamTexts[1] = std::string(value);
        break;
    case OptionId::Team3:
        options.teamTexts[2] = std::string(value);
        break;
    case OptionId::Timeout:
        if (const std::optional<double> seconds = SecondsIn(value, 0.001, 3600.0))
            options.timeout = std::chrono::milliseconds(std::lround(*seconds * 1000.0));
        else
            return "--timeout: " + std::string(value) +
                   " is not a number of seconds from 0.001 "
                   "to 3600";
        break;
    case OptionId::Watch:
        options.watchSeconds = SecondsIn(value, 0.1, 86400.0);
        if (!options.watchSeconds)
            return "--watch: " + std::string(value) +
                   " is not a number of seconds from 0.1 to "
                   "86400";
        break;
    case OptionId::Count: {
        int count = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), count);
        if (error != std::errc() || end != value.data() + value.size() || count < 1)
            return "--count: " + std::string(value) + " is not a whole number from 1 up";
        options.watchCount = count;
        break;
    }
    case OptionId::Record:
        options.recordFile = std::string(value);
        break;
    case OptionId::Events:
        options.events = true;
        break;
    case OptionId::Until:
        given.untilNames.push_back(value);
        break;
    case OptionId::NoFence:
        options.request.fence = ReplyFence::None;
        break;
    case OptionId::Extended:
        options.request.layout = StatusLayout::Extended;
        break;
    case OptionId::Help:
    case OptionId::Version:
        break;
    }
    return std::nullopt;
}

// The combinations that cannot be asked together, and the options that only mean something
// with --watch; a message for the first one broken.
std::optional<std::string> BrokenCombination(const Given& given)
{
    constexpr std::array<std::pair<OptionId, OptionId>, 6> kExclusive{{
        {OptionId::Raw, OptionId::Json},
        {OptionId::Raw, OptionId::FromFile},
        {OptionId::Format, OptionId::Json},
        {OptionId::Format, OptionId::Raw},
        {OptionId::Watch, OptionId::FromFile},
        {OptionId::Watch, OptionId::Raw},
    }};
    const auto name = [](OptionId id) { return std::string(Spec(id).name); };
    if (given.server && given.Has(OptionId::FromFile))
        return "--from-file excludes a server (HOST[:PORT])";
    for (const auto& [first, second] : kExclusive)
        if (given.Has(first) && given.Has(second))
            return name(first) + " excludes " + name(second);
    for (const OptionId withWatch :
         {OptionId::Count, OptionId::Record, OptionId::Events, OptionId::Until})
        if (given.Has(withWatch) && !given.Has(OptionId::Watch))
            return name(withWatch) + " needs --watch";
    return std::nullopt;
}

} // namespace

Result<QueryOptions, ExitCode> ParseQueryOptions(int argc, char** argv)
{
    QueryOptions options;
    Given given;
    bool onlyServers = false; // after "--"
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (onlyServers || argument == "-" || !argument.starts_with('-')) {
            if (given.server)
                return Fail(UsageError("one server only: " + std::string(argument) + " follows " +
                                       options.server));
            given.server = true;
            options.server = argument;
            continue;
        }
        if (argument == "--") {
            onlyServers = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument == "-h" ? "--help" : argument.substr(0, equals);
        const OptionSpec* option = FindOption(name);
        if (!option)
            return Fail(UsageError("unknown option " + std::string(name)));
        std::string_view value;
        if (equals != std::string_view::npos) {
            if (option->valueName.empty())
                return Fail(UsageError(std::string(name) + " takes no value"));
            value = argument.substr(equals + 1);
        } else if (!option->valueName.empty()) {
            if (index + 1 >= argc)
                return Fail(UsageError(std::string(name) + " needs a value (" +
                                       std::string(option->valueName) + ")"));
            value = argv[++index];
        }
        if (option->id == OptionId::Help) {
            WriteHelp(std::cout);
            return Fail(ExitCode::Success);
        }
        if (option->id == OptionId::Version) {
            std::cout << "tallyhawk-query " << kDisplayVersion << "\n";
            return Fail(ExitCode::Success);
        }
        given.options[static_cast<std::size_t>(option->id)] = true;
        if (const std::optional<std::string> refused = Apply(option->id, value, options, given))
            return Fail(UsageError(*refused));
    }

    if (const std::optional<std::string> broken = BrokenCombination(given))
        return Fail(UsageError(*broken));
    if (!given.server && !options.fromFile)
        return Fail(UsageError("give a server (HOST[:PORT]) or --from-file PATH"));
    options.format = *Member(kFormats, given.format);
    if (options.json)
        options.format = OutputFormat::Json;
    if (options.raw)
        options.format = OutputFormat::Raw;
    if (options.format == OutputFormat::Raw && (options.fromFile || options.watchSeconds))
        return Fail(UsageError("--format raw excludes --from-file and --watch, as --raw does"));
    options.json = options.format == OutputFormat::Json;
    options.raw = options.format == OutputFormat::Raw;
    for (const std::string_view name : given.untilNames)
        if (const Result<bool> added = options.until.Add(name); !added)
            return Fail(UsageError("--until " + added.Error()));
    options.teamMode = *Member(kTeamModes, given.teamMode);
    if (options.teamMode == TeamMode::Team && options.request.layout != StatusLayout::Extended)
        return Fail(UsageError("--team-mode team needs --extended (only the extended reply "
                               "gives each player's team)"));
    return options;
}
