// SPDX-License-Identifier: GPL-2.0-or-later
// The timeline's picture on the offscreen platform: a whole day of replies every 5 seconds
// (17,280 points per line, three teams and the total, and a match start and end every 20
// minutes) drawn into an image of a window's size.
// A frame of a 60 Hz display is 16 ms.
#include "ui/TimelineChart.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

TimelineModel DayOfReplies()
{
    using namespace std::chrono_literals;
    TimelineModel model;
    model.Reset("127.0.0.1:27500");
    const auto start = std::chrono::system_clock::time_point(1'797'000'000'000ms);
    StandingsTotals totals;
    for (int reply = 0; reply < 24 * 720; ++reply) {
        // Frags rise unevenly and fall back at each new match, as a day of matches does.
        const int matchReply = reply % 240;
        totals.teamTotal = {matchReply / 2 + (reply * 7 % 5), matchReply / 3 + (reply % 3),
                            static_cast<std::int32_t>(20 * std::sin(reply / 50.0) + 20)};
        totals.totalFrags = totals.teamTotal[0] + totals.teamTotal[1] + totals.teamTotal[2];
        model.Add(start + 5s * reply, totals, TeamMode::Color, {"4", "13", "12"},
                  matchReply < 12 ? "Countdown" : "20 min left");
    }
    return model;
}

void BM_DrawTimeline24Hours(benchmark::State& state)
{
    const TimelineModel model = DayOfReplies();
    QImage image(1000, 500, QImage::Format_ARGB32_Premultiplied);
    const QFont font = QApplication::font();
    for (auto _ : state) {
        QPainter painter(&image);
        TimelineChart(model, QRectF(0, 0, 1000, 500), font).Paint(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(std::to_string(model.Points().size()) + " replies, " +
                   std::to_string(model.Marks().size()) + " marks");
}
BENCHMARK(BM_DrawTimeline24Hours)->Unit(benchmark::kMillisecond);

} // namespace
