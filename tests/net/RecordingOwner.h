// SPDX-License-Identifier: GPL-2.0-or-later
// The query socket's owner in tests: it owns the socket as the dialog does, records every report
// with the text collected at that moment, and can act on a report (destroy the socket, run a
// nested event loop) the way the dialog may.
#pragma once

#include "net/ClientSocket.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using Step = std::pair<UINT, UINT>; // code, error word

struct Report
{
    UINT code = 0;
    UINT error = 0;
    LPARAM handle = 0;
    std::string text; // the socket's receivedText when the report arrived
};

class RecordingOwner : public CMessageTarget
{
public:
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        EXPECT_EQ(message, WM_SOCKET_EVENT);
        EXPECT_TRUE(socket) << "a report from a socket that its owner has destroyed";
        reports.push_back({LOWORD(wParam), HIWORD(wParam), lParam,
                           socket ? socket->receivedText : std::string()});
        // A copy: the handler may run a nested loop in which more reports arrive.
        const Report report = reports.back();
        if (onReport)
            onReport(report);
        return 0;
    }

    std::vector<Step> Steps() const
    {
        std::vector<Step> steps;
        for (const Report& report : reports)
            steps.emplace_back(report.code, report.error);
        return steps;
    }

    bool Has(UINT code) const
    {
        for (const Report& report : reports) {
            if (report.code == code)
                return true;
        }
        return false;
    }

    std::unique_ptr<CClientSocket> socket;
    std::vector<Report> reports;
    std::function<void(const Report&)> onReport;
};
