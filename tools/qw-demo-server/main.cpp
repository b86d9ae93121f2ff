// SPDX-License-Identifier: GPL-2.0-or-later
// qw-demo-server: a simulated QuakeWorld server on loopback that answers status queries as a
// current server does while a match goes on, for demos and end-to-end tests.

#include "cli/FiniteRange.h"
#include "qw-demo-server/DemoServer.h"
#include "qw-demo-server/NamePool.h"
#include "qw-demo-server/PickupMatch.h"
#include "res/Version.h"
#include "status/StatusWireFormat.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace {

std::string ScenarioHelp()
{
    using std::to_string;
    return "Scenarios:\n"
           "  normal          replies as a current server does (split above " +
           to_string(kServerPrintBufferBytes) +
           " bytes of text)\n"
           "  silent          never answers\n"
           "  empty-datagram  answers with a datagram of no bytes\n"
           "  oversize        one datagram of " +
           to_string(kOversizeDatagramBytes) +
           " bytes\n"
           "  exact-4096      one datagram of exactly " +
           to_string(kMaxDatagramBytes) +
           " bytes (a long 'motd' value)\n"
           "  split           two datagrams, each with its header and zero byte, cut in the "
           "middle of a player line\n"
           "  zero-byte       a zero byte after the first half of the player lines\n"
           "  garbage         random bytes\n"
           "  no-players      serverinfo only\n"
           "  full            32 players with long names, 27 serverinfo pairs: a reply of "
           "two datagrams\n"
           "  pickup          a pickup game, one step every --step-seconds: one more player\n"
           "                  joins each step until the server (--players slots, default 8)\n"
           "                  is full, then 'Countdown', then a match of 'N min left' from " +
           std::to_string(PickupMatch::kMatchMinutes) +
           "\n"
           "                  down to 1, then 'Standby' with the final frags; then everyone\n"
           "                  leaves and it begins again\n"
           "  no-ack          replies as normal but ignores ping\n"
           "Every scenario but silent and no-ack answers ping with the one byte 'l', as mvdsv "
           "does.\n"
           "Spectators are listed only when the request's flags ask for them (4), as players "
           "with frags S under flag 8; flag 16 adds each client's team, flag 128 'b' for a bot "
           "or 'h' for a human.";
}

} // namespace

int main(int argc, char** argv)
{
    DemoServerOptions options;
    CLI::App app{"A simulated QuakeWorld server on loopback: answers status queries (the 11-byte "
                 "request, 'status N' with flags, 'status' ended by a zero byte) while a team "
                 "match goes on. Prints 'listening on ADDRESS:PORT' on standard error when ready.",
                 "qw-demo-server"};
    app.add_option("--port", options.port,
                   "UDP port to listen on; 0 picks a free one (default " +
                       std::to_string(kDefaultServerPort) + ")")
        ->type_name("PORT")
        ->check(CLI::Range(0, 65535));
    app.add_option("--bind", options.bindAddress,
                   "loopback address to listen on, IPv4 or IPv6 (127.x.x.x or ::1; default "
                   "127.0.0.1)")
        ->type_name("ADDRESS");
    app.add_option("--players", options.match.players, "players in the match (default 8)")
        ->type_name("N")
        ->check(CLI::Range(0, kMaxClients));
    app.add_option("--teams", options.match.teams,
                   "teams, told apart by skin and bottom colour: "
                   "red (4), blue (13), gold (12) (default 2)")
        ->type_name("N")
        ->check(CLI::Range(2, 3));
    app.add_option("--bots", options.match.bots,
                   "of the players, how many are bots, marked where the request asks for the "
                   "client type (128) (default 1)")
        ->type_name("N")
        ->check(CLI::Range(0, kMaxClients));
    app.add_option("--seed", options.match.seed,
                   "seed of the match, for a reproducible run "
                   "(default 1)")
        ->type_name("N");
    app.add_option("--speed", options.speed,
                   "match seconds per real second; 0 freezes the match "
                   "(default 1)")
        ->type_name("X")
        ->check(FiniteRange(0.0, 10000.0));
    std::string scenario = "normal";
    const std::vector<std::string> scenarioNames = ScenarioNames();
    app.add_option("--scenario", scenario, "how to answer; faults for tests (default normal)")
        ->type_name("NAME")
        ->check(CLI::IsMember(scenarioNames));
    app.add_option("--max-seconds", options.maxSeconds, "stop by itself after this long")
        ->type_name("S")
        ->check(FiniteRange(0.0, 1e7));
    auto* stepOption =
        app.add_option("--step-seconds", options.stepSeconds,
                       "with --scenario pickup: seconds per step of the game (default 5)")
            ->type_name("S")
            ->check(FiniteRange(0.01, 86400.0));
    app.add_flag("--verbose", options.verbose, "log every datagram received on standard error");
    app.set_version_flag("--version", std::string("qw-demo-server ") + kDisplayVersion);
    app.footer(ScenarioHelp());
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) { // --help, --version
        return app.exit(done);
    } catch (const CLI::ParseError& error) {
        std::cerr << "qw-demo-server: " << error.what() << "\n";
        return 2;
    }
    options.scenario = *ScenarioFromName(scenario);
    if (stepOption->count() > 0 && options.scenario != Scenario::Pickup) {
        std::cerr << "qw-demo-server: --step-seconds goes with --scenario pickup\n";
        return 2;
    }
    return RunDemoServer(options);
}
