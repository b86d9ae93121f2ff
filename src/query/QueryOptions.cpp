// SPDX-License-Identifier: GPL-2.0-or-later
// The options of tallyhawk-query, read by a small table of long options. A query is one short
// process, and building a general parser's model of its options took about as long as the
// exchange with a server on the same network; this reads the arguments once, in order.
#include "query/QueryOptions.h"

#include "query/ExitCode.h"
#include "query/QueryHelp.h"
#include "query/QueryOptionTable.h"
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

const QueryOptionSpec* FindOption(std::string_view name)
{
    for (const QueryOptionSpec& option : kQueryOptions)
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
    std::array<bool, kQueryOptions.size()> options{};
    bool server = false;
    std::string_view format = "table";
    std::string_view teamMode = "skin";
    std::vector<std::string_view> untilNames;

    bool Has(QueryOptionId id) const { return options[static_cast<std::size_t>(id)]; }
};

ExitCode UsageError(const std::string& message)
{
    std::cerr << "tallyhawk-query: " << message << "\n"
              << "Run with --help for more information.\n";
    return ExitCode::Usage;
}

// Takes one option's value into the options; a message when the value is not one it takes.
std::optional<std::string> Apply(QueryOptionId id, std::string_view value, QueryOptions& options,
                                 Given& given)
{
    switch (id) {
    case QueryOptionId::FromFile:
        options.fromFile = std::string(value);
        break;
    case QueryOptionId::Json:
        options.json = true;
        break;
    case QueryOptionId::Raw:
        options.raw = true;
        break;
    case QueryOptionId::Format:
        if (!Member(kFormats, value))
            return "--format: " + std::string(value) + " is not one of " + MemberList(kFormats);
        given.format = value;
        break;
    case QueryOptionId::TeamMode:
        if (!Member(kTeamModes, value))
            return "--team-mode: " + std::string(value) + " is not one of " +
                   MemberList(kTeamModes);
        given.teamMode = value;
        break;
    case QueryOptionId::Team1:
        options.teamTexts[0] = std::string(value);
        break;
    case QueryOptionId::Team2:
        options.teamTexts[1] = std::string(value);
        break;
    case QueryOptionId::Team3:
        options.teamTexts[2] = std::string(value);
        break;
    case QueryOptionId::Timeout:
        if (const std::optional<double> seconds = SecondsIn(value, 0.001, 3600.0))
            options.timeout = std::chrono::milliseconds(std::lround(*seconds * 1000.0));
        else
            return "--timeout: " + std::string(value) +
                   " is not a number of seconds from 0.001 to 3600";
        break;
    case QueryOptionId::Watch:
        options.watchSeconds = SecondsIn(value, 0.1, 86400.0);
        if (!options.watchSeconds)
            return "--watch: " + std::string(value) +
                   " is not a number of seconds from 0.1 to 86400";
        break;
    case QueryOptionId::Count: {
        int count = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), count);
        if (error != std::errc() || end != value.data() + value.size() || count < 1)
            return "--count: " + std::string(value) + " is not a whole number from 1 up";
        options.watchCount = count;
        break;
    }
    case QueryOptionId::Record:
        options.recordFile = std::string(value);
        break;
    case QueryOptionId::Events:
        options.events = true;
        break;
    case QueryOptionId::Until:
        given.untilNames.push_back(value);
        break;
    case QueryOptionId::NoFence:
        options.request.fence = ReplyFence::None;
        break;
    case QueryOptionId::Extended:
        options.request.layout = StatusLayout::Extended;
        break;
    case QueryOptionId::Help:
    case QueryOptionId::Version:
        break;
    }
    return std::nullopt;
}

// The combinations that cannot be asked together, and the options that only mean something
// with --watch; a message for the first one broken.
std::optional<std::string> BrokenCombination(const Given& given)
{
    constexpr std::array<std::pair<QueryOptionId, QueryOptionId>, 6> kExclusive{{
        {QueryOptionId::Raw, QueryOptionId::Json},
        {QueryOptionId::Raw, QueryOptionId::FromFile},
        {QueryOptionId::Format, QueryOptionId::Json},
        {QueryOptionId::Format, QueryOptionId::Raw},
        {QueryOptionId::Watch, QueryOptionId::FromFile},
        {QueryOptionId::Watch, QueryOptionId::Raw},
    }};
    const auto name = [](QueryOptionId id) { return std::string(QueryOptionSpecOf(id).name); };
    if (given.server && given.Has(QueryOptionId::FromFile))
        return "--from-file excludes a server (HOST[:PORT])";
    for (const auto& [first, second] : kExclusive)
        if (given.Has(first) && given.Has(second))
            return name(first) + " excludes " + name(second);
    for (const QueryOptionId withWatch :
         {QueryOptionId::Count, QueryOptionId::Record, QueryOptionId::Events, QueryOptionId::Until})
        if (given.Has(withWatch) && !given.Has(QueryOptionId::Watch))
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
        const QueryOptionSpec* option = FindOption(name);
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
        if (option->id == QueryOptionId::Help) {
            WriteQueryHelp(std::cout);
            return Fail(ExitCode::Success);
        }
        if (option->id == QueryOptionId::Version) {
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
