// SPDX-License-Identifier: GPL-2.0-or-later
// The owner may destroy the query socket while handling any report, directly or from a nested
// event loop (a message box in which the refresh timer starts the next query). The reporting
// handler must then stop, and nothing queued for the old socket may reach its successor.
// Meant to run under ASan: a handler that touches its destroyed socket is a use after free.
#include "QuerySocketFixture.h"

#include <QEventLoop>
#include <QTimer>
#include <gmock/gmock.h>
#include <optional>

using testing::ElementsAre;

namespace {

enum class Destruction
{
    Direct,     // delete inside the report
    NestedLoop, // delete from a timer while the report runs a nested event loop
};

struct DestructionCase
{
    const char* name;
    UINT code;                        // the report on which the owner destroys the socket
    std::optional<std::string> reply; // sent by the peer once the query has settled
    Destruction destruction;
};

} // namespace

class QuerySocketDestructionTest : public QuerySocketTest,
                                   public testing::WithParamInterface<DestructionCase>
{
protected:
    void DestroyOn(UINT code, Destruction destruction)
    {
        owner.onReport = [this, code, destruction](const Report& report) {
            if (report.code != code || !owner.socket)
                return;
            if (destruction == Destruction::Direct) {
                owner.socket.reset();
                return;
            }
            QEventLoop messageBox;
            QTimer::singleShot(0, &messageBox, [&] {
                owner.socket.reset();
                messageBox.quit();
            });
            messageBox.exec();
        };
    }
};

TEST_P(QuerySocketDestructionTest, HandlerStopsAfterTheReportThatDestroyedItsSocket)
{
    const DestructionCase& destruction = GetParam();
    DestroyOn(destruction.code, destruction.destruction);

    StartQuery();
    if (owner.socket) {
        ASSERT_TRUE(RunUntil([&] { return owner.reports.size() >= 4; }));
        if (destruction.reply)
            ReplyFromPeer(*destruction.reply);
    }
    ASSERT_TRUE(RunUntil([&] { return !owner.socket; })) << "the report never came";
    RunFor(std::chrono::milliseconds(50));

    // Every report up to the fatal one, and none after it.
    ASSERT_FALSE(owner.reports.empty());
    EXPECT_EQ(owner.reports.back().code, destruction.code);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, QuerySocketDestructionTest,
    testing::Values(
        DestructionCase{"Connecting", SE_CONNECTING, std::nullopt, Destruction::Direct},
        DestructionCase{"Connected", SE_CONNECTED, std::nullopt, Destruction::Direct},
        DestructionCase{"ConnectedNested", SE_CONNECTED, std::nullopt, Destruction::NestedLoop},
        DestructionCase{"SentInsideQueueSend", SE_SENT, std::nullopt, Destruction::Direct},
        DestructionCase{"Received", SE_RECEIVED, "reply", Destruction::Direct},
        DestructionCase{"ReceivedNested", SE_RECEIVED, "reply", Destruction::NestedLoop},
        DestructionCase{"Waiting", SE_WAITING, "reply", Destruction::Direct},
        DestructionCase{"Error", SE_ERROR, std::string(5000, 'x'), Destruction::Direct},
        DestructionCase{"ErrorNested", SE_ERROR, std::string(5000, 'x'), Destruction::NestedLoop},
        DestructionCase{"Closed", SE_CLOSED, "", Destruction::Direct}),
    [](const testing::TestParamInfo<DestructionCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(QuerySocketTest, DestroyingTheSocketInsideTheLateWriteReadinessIsSafe)
{
    StartQuery();
    owner.onReport = [&](const Report& report) {
        if (report.code == SE_SENT)
            owner.socket.reset();
    };
    ASSERT_TRUE(RunUntil([&] { return !owner.socket; }));
    RunFor(std::chrono::milliseconds(50));
    EXPECT_EQ(owner.reports.size(), 4u);
}

TEST_F(QuerySocketTest, ReplacementSocketGetsNothingQueuedForTheOldOne)
{
    StartQuery();
    // The reply lands before the loop runs, so the old socket is readable and writable in the
    // same round: whichever report comes first replaces the socket, and the other readiness,
    // already collected for the old handle number, must not reach the new socket.
    ReplyFromPeer("old reply");
    const SOCKET oldHandle = owner.socket->Handle();
    const LPARAM oldIdentity = owner.socket->HandleIdentity();
    std::size_t replacedAt = 0;
    owner.onReport = [&](const Report&) {
        if (replacedAt != 0)
            return;
        replacedAt = owner.reports.size();
        owner.socket = std::make_unique<CClientSocket>(&owner); // closes the old handle first
        StartQuery();
    };

    ASSERT_TRUE(
        RunUntil([&] { return replacedAt != 0 && owner.reports.size() == replacedAt + 4; }));
    RunFor(std::chrono::milliseconds(100));

    EXPECT_EQ(owner.socket->Handle(), oldHandle) << "the test needs the handle number reused";
    // The reports still tell the two sockets apart.
    EXPECT_NE(owner.socket->HandleIdentity(), oldIdentity);
    EXPECT_EQ(owner.reports[replacedAt - 1].handle, oldIdentity);
    std::vector<Step> replacementSteps;
    for (std::size_t i = replacedAt; i < owner.reports.size(); ++i) {
        replacementSteps.emplace_back(owner.reports[i].code, owner.reports[i].error);
        EXPECT_EQ(owner.reports[i].handle, owner.socket->HandleIdentity());
    }
    EXPECT_THAT(replacementSteps, ElementsAre(Step{SE_CONNECTING, 0}, Step{SE_CONNECTED, 0},
                                              Step{SE_SENT, 0}, Step{SE_SENT, 0}));
    EXPECT_EQ(owner.socket->receivedText, "");
}
