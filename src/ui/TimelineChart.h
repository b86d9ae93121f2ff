// SPDX-License-Identifier: GPL-2.0-or-later
// The timeline picture: the team totals and the total frags against the minutes since the watch
// began, with round ticks, a legend, each line's latest value and the match starts and ends. One
// layout serves the window, the PNG and the SVG; it is computed once per picture, so the chart is a
// short-lived value.
#pragma once

#include "ui/TimelineModel.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

class QPainter;

struct TimelineColors
{
    std::array<QColor, 3> team;
    QColor total;
};

// Colour mode: the main colour of the swatch of each team's colour number (the colour the
// player list shows); skin mode: three fixed colours that are told apart easily.
TimelineColors TimelineLineColors(TeamMode mode, const TeamTexts& texts);

// "Team 1 (red)", or "Team 1" without a text; team is 0 to 2.
QString TimelineTeamLabel(const TeamTexts& texts, int team);

// The colour of a match mark's line and label (MatchStart or MatchEnd).
QColor TimelineMarkColor(WatchEventKind kind);

// One sentence with the latest totals (and the last match start and end), for screen readers.
QString TimelineDescription(const TimelineModel& model);

class TimelineChart
{
public:
    // Lays the model out in `bounds` with the font's metrics. The model must outlive the chart.
    TimelineChart(const TimelineModel& model, const QRectF& bounds, const QFont& font);

    // Where the lines go, and the mapping of a point into it.
    QRectF PlotArea() const { return plot; }
    double XForTime(std::chrono::milliseconds sinceStart) const;
    double YForFrags(double frags) const;

    void Paint(QPainter& painter) const;

private:
    void PaintAxes(QPainter& painter) const;
    void PaintLegend(QPainter& painter) const;
    void PaintMarks(QPainter& painter) const;
    void PaintLines(QPainter& painter) const;

    const TimelineModel& model;
    QRectF bounds;
    QFont font;
    QRectF plot;
    TimelineColors colors;
    double firstMinute = 0;
    double lastMinute = 1;
    double minuteStep = 1;
    double lowFrags = 0;
    double highFrags = 10;
    double fragStep = 1;
};
