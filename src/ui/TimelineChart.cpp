// SPDX-License-Identifier: GPL-2.0-or-later
// Drawing the timeline with QPainter. A day of replies every 5 seconds is far more points than
// pixels, so each line is reduced to the first, lowest, highest and last value of each pixel
// column before it is drawn: the same picture, a bounded cost.
#include "ui/TimelineChart.h"

#include "framework/PackedDib.h"
#include "framework/Resources.h"
#include "framework/Text.h"
#include "res/ResourceIds.h"
#include "status/ColorSwatch.h"
#include "status/DecimalText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <utility>

namespace {

// The lines get a dark edge so that light colours (white, yellow) show on the light background.
const QColor kBackground(0xFA, 0xFA, 0xFA);
const QColor kGrid(0xDD, 0xDD, 0xDD);
const QColor kEdge(0x30, 0x30, 0x30);
const QColor kText(0x20, 0x20, 0x20);
constexpr double kLineWidth = 2.5;
constexpr double kEdgeWidth = 4.5;

// The most frequent colour inside each swatch's one-pixel frame: the field colour, which the
// number drawn on it never outweighs.
const std::array<std::optional<QColor>, kSwatchCount>& SwatchMainColors()
{
    static const std::array<std::optional<QColor>, kSwatchCount> colors = [] {
        std::array<std::optional<QColor>, kSwatchCount> result;
        const std::optional<DibImage> strip = DecodePackedDib(AfxLoadBitmapBytes(kSwatchStripId));
        if (!strip || strip->width < kSwatchCount * 16 || strip->height < 16)
            return result;
        for (int cell = 0; cell < kSwatchCount; ++cell) {
            std::map<std::uint8_t, int> counts;
            for (int y = 1; y < 15; ++y)
                for (int x = 1; x < 15; ++x)
                    ++counts[strip->pixels[static_cast<std::size_t>(y * strip->width + cell * 16 +
                                                                    x)]];
            const auto most = std::max_element(
                counts.begin(), counts.end(),
                [](const auto& left, const auto& right) { return left.second < right.second; });
            if (most->first < strip->palette.size())
                result[static_cast<std::size_t>(cell)] =
                    QColor::fromRgb(strip->palette[most->first]);
        }
        return result;
    }();
    return colors;
}

// A round step (1, 2 or 5 times a power of ten) that cuts `span` into about `parts` parts.
double RoundStep(double span, double parts)
{
    const double raw = std::max(span / parts, 1e-9);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= raw)
            return factor * power;
    return 10.0 * power;
}

QString NumberText(double value)
{
    return QString::number(value, 'g', 10);
}

double Minutes(std::chrono::milliseconds sinceStart)
{
    return static_cast<double>(sinceStart.count()) / 60000.0;
}

} // namespace

TimelineColors TimelineLineColors(TeamMode mode, const TeamTexts& texts)
{
    TimelineColors colors{
        {QColor(0xD6, 0x27, 0x28), QColor(0x1F, 0x6F, 0xC4), QColor(0xE8, 0xA2, 0x02)},
        QColor(0x20, 0x20, 0x20)};
    if (mode != TeamMode::Color)
        return colors;
    for (std::size_t team = 0; team < texts.size(); ++team) {
        const std::optional<int> swatch = SwatchForColor(DecimalTextToInt(texts[team]));
        if (swatch && SwatchMainColors()[static_cast<std::size_t>(*swatch)])
            colors.team[team] = *SwatchMainColors()[static_cast<std::size_t>(*swatch)];
    }
    return colors;
}

QString TimelineTeamLabel(const TeamTexts& texts, int team)
{
    const QString name = QStringLiteral("Team %1").arg(team + 1);
    const std::string& text = texts[static_cast<std::size_t>(team)];
    if (text.empty())
        return name;
    // Team texts are the person's own 8-bit text, shown as the window shows them.
    return name + QStringLiteral(" (") + ToUnicode(text) + QStringLiteral(")");
}

QColor TimelineMarkColor(WatchEventKind kind)
{
    // Apart from the fixed team colours and the swatches' main colours alike.
    return kind == WatchEventKind::MatchStart ? QColor(0x1B, 0x9E, 0x77) : QColor(0x8E, 0x44, 0xAD);
}

QString TimelineDescription(const TimelineModel& model)
{
    if (model.Points().empty())
        return QStringLiteral("Timeline of the team totals: no reply yet.");
    const TimelinePoint& last = model.Points().back();
    QString text =
        QStringLiteral("Timeline of the team totals, %1 minutes since the watch began. Latest:")
            .arg(std::floor(Minutes(last.sinceStart)));
    for (int team = 0; team < 3; ++team)
        if (model.TeamShown(team))
            text += QStringLiteral(" %1 %2,")
                        .arg(TimelineTeamLabel(model.Texts(), team))
                        .arg(last.teamTotal[static_cast<std::size_t>(team)]);
    text += QStringLiteral(" total frags %1.").arg(last.totalFrags);
    const auto& marks = model.Marks();
    for (const auto& [kind, verb] : {std::pair{WatchEventKind::MatchStart, "started"},
                                     std::pair{WatchEventKind::MatchEnd, "ended"}}) {
        const auto mark =
            std::find_if(marks.rbegin(), marks.rend(),
                         [wanted = kind](const TimelineMark& m) { return m.kind == wanted; });
        if (mark != marks.rend())
            text += QStringLiteral(" A match %1 at minute %2.")
                        .arg(QLatin1String(verb))
                        .arg(std::floor(Minutes(mark->sinceStart)));
    }
    return text;
}

TimelineChart::TimelineChart(const TimelineModel& model, const QRectF& bounds, const QFont& font)
    : model(model), bounds(bounds), font(font),
      colors(TimelineLineColors(model.Mode(), model.Texts()))
{
    const auto& points = model.Points();
    if (!points.empty()) {
        firstMinute = Minutes(points.front().sinceStart);
        lastMinute = std::max(Minutes(points.back().sinceStart), firstMinute + 1.0);
        double low = 0;
        double high = 0;
        for (const TimelinePoint& point : points) {
            low = std::min({low, static_cast<double>(point.totalFrags),
                            static_cast<double>(point.teamTotal[0]),
                            static_cast<double>(point.teamTotal[1]),
                            static_cast<double>(point.teamTotal[2])});
            high = std::max({high, static_cast<double>(point.totalFrags),
                             static_cast<double>(point.teamTotal[0]),
                             static_cast<double>(point.teamTotal[1]),
                             static_cast<double>(point.teamTotal[2])});
        }
        // A little room above the highest line, so that it does not run along the frame.
        lowFrags = low;
        highFrags = std::max(high + (high - low) / 25.0, low + 10.0);
    }
    fragStep = RoundStep(highFrags - lowFrags, 6);
    lowFrags = std::floor(lowFrags / fragStep) * fragStep;
    highFrags = std::ceil(highFrags / fragStep) * fragStep;
    minuteStep = RoundStep(lastMinute - firstMinute, 8);

    const QFontMetricsF metrics(font);
    const double lineHeight = metrics.height();
    const double left =
        metrics.horizontalAdvance(NumberText(std::max(std::abs(lowFrags), highFrags)) +
                                  QStringLiteral("-0")) +
        10;
    const double right = metrics.horizontalAdvance(QStringLiteral("-0000000")) + 10;
    const double top = lineHeight * 1.8;
    const double bottom = lineHeight * 2.6;
    plot = QRectF(bounds.left() + left, bounds.top() + top,
                  std::max(bounds.width() - left - right, 10.0),
                  std::max(bounds.height() - top - bottom, 10.0));
}

double TimelineChart::XForTime(std::chrono::milliseconds sinceStart) const
{
    return plot.left() +
           (Minutes(sinceStart) - firstMinute) / (lastMinute - firstMinute) * plot.width();
}

double TimelineChart::YForFrags(double frags) const
{
    return plot.bottom() - (frags - lowFrags) / (highFrags - lowFrags) * plot.height();
}

void TimelineChart::Paint(QPainter& painter) const
{
    painter.save();
    painter.setFont(font);
    painter.fillRect(bounds, kBackground);
    PaintAxes(painter);
    PaintMarks(painter);
    PaintLines(painter);
    PaintLegend(painter);
    painter.restore();
}

void TimelineChart::PaintAxes(QPainter& painter) const
{
    const QFontMetricsF metrics(font);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kGrid, 1));
    for (double frags = lowFrags; frags <= highFrags + fragStep / 2; frags += fragStep) {
        const double y = std::round(YForFrags(frags));
        painter.setPen(QPen(kGrid, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(kText);
        const QString label = NumberText(frags);
        painter.drawText(QPointF(plot.left() - 6 - metrics.horizontalAdvance(label),
                                 y + metrics.ascent() / 2 - 1),
                         label);
    }
    const double firstTick = std::ceil(firstMinute / minuteStep) * minuteStep;
    for (double minute = firstTick; minute <= lastMinute + minuteStep / 1000;
         minute += minuteStep) {
        const double x = std::round(plot.left() + (minute - firstMinute) /
                                                      (lastMinute - firstMinute) * plot.width());
        painter.setPen(QPen(kGrid, 1));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(kText);
        const QString label = NumberText(minute);
        painter.drawText(
            QPointF(x - metrics.horizontalAdvance(label) / 2, plot.bottom() + metrics.ascent() + 3),
            label);
    }
    painter.setPen(kText);
    painter.drawRect(plot);
    const QString axis = QStringLiteral("minutes since the watch began");
    painter.drawText(QPointF(plot.center().x() - metrics.horizontalAdvance(axis) / 2,
                             plot.bottom() + metrics.height() + metrics.ascent() + 4),
                     axis);
    painter.drawText(QPointF(bounds.left() + 4, plot.top() - metrics.descent() - 4),
                     QStringLiteral("frags"));
}

// Under the lines, so that the totals stay readable where a mark crosses them. A day holds some
// dozens of matches: each mark is a one-pixel rectangle, and a label that would overlap the one
// before is left out.
void TimelineChart::PaintMarks(QPainter& painter) const
{
    const auto& marks = model.Marks();
    if (marks.empty())
        return;
    const QFontMetricsF metrics(font);
    const QString startText = QStringLiteral("start");
    const QString endText = QStringLiteral("end");
    painter.setRenderHint(QPainter::Antialiasing, false);
    double labelsEnd = -std::numeric_limits<double>::infinity();
    for (const TimelineMark& mark : marks) {
        const double x = std::floor(XForTime(mark.sinceStart));
        if (x < plot.left() || x > plot.right())
            continue;
        const QColor color = TimelineMarkColor(mark.kind);
        painter.fillRect(QRectF(x, plot.top() + 1, 1, plot.height() - 1), color);
        const QString& label = mark.kind == WatchEventKind::MatchStart ? startText : endText;
        const double width = metrics.horizontalAdvance(label);
        // Right of the line, or left of it where the plot ends.
        const double labelX = x + 3 + width <= plot.right() ? x + 3 : x - 2 - width;
        if (labelX < labelsEnd)
            continue;
        painter.setPen(color);
        painter.drawText(QPointF(labelX, plot.top() + metrics.ascent() + 2), label);
        labelsEnd = labelX + width + 4;
    }
}

void TimelineChart::PaintLines(QPainter& painter) const
{
    const auto& points = model.Points();
    if (points.empty())
        return;
    struct Series
    {
        QColor color;
        bool dashed; // the total: told from the teams by its pattern whatever their colours
        double latest;
        std::function<std::int32_t(const TimelinePoint&)> value;
    };
    std::vector<Series> series;
    series.push_back({colors.total, true, static_cast<double>(points.back().totalFrags),
                      [](const TimelinePoint& point) { return point.totalFrags; }});
    for (int team = 0; team < 3; ++team)
        if (model.TeamShown(team))
            series.push_back(
                {colors.team[static_cast<std::size_t>(team)], false,
                 static_cast<double>(points.back().teamTotal[static_cast<std::size_t>(team)]),
                 [team](const TimelinePoint& point) {
                     return point.teamTotal[static_cast<std::size_t>(team)];
                 }});

    painter.setClipRect(plot.adjusted(-kEdgeWidth, -kEdgeWidth, kEdgeWidth, kEdgeWidth));
    painter.setRenderHint(QPainter::Antialiasing, true);
    // More points than half the pixels across: each pixel column is drawn as one band from its
    // lowest to its highest value (joined to the next column), filled in one pass. A wide pen
    // along a line that turns at every pixel would cost a hundred times more to fill.
    const bool dense = static_cast<double>(points.size()) > plot.width() / 2;
    for (const Series& line : series) {
        if (!dense) {
            QPolygonF polygon;
            polygon.reserve(static_cast<qsizetype>(points.size()) + 1);
            for (const TimelinePoint& point : points)
                polygon << QPointF(XForTime(point.sinceStart), YForFrags(line.value(point)));
            if (polygon.size() == 1) { // the first reply: a dot until there is a line
                painter.setPen(QPen(kEdge, 1));
                painter.setBrush(line.color);
                painter.drawEllipse(polygon.front(), kEdgeWidth / 2 + 1, kEdgeWidth / 2 + 1);
                painter.setBrush(Qt::NoBrush);
                continue;
            }
            if (line.dashed) {
                painter.setPen(QPen(line.color, 2, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin));
                painter.drawPolyline(polygon);
                continue;
            }
            painter.setPen(QPen(kEdge, kEdgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(polygon);
            painter.setPen(
                QPen(line.color, kLineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(polygon);
            continue;
        }
        // Column x, its lowest and highest value; each column's range also reaches the last
        // value of the column before, so that a jump stays joined.
        struct Column
        {
            double x;
            double low;
            double high;
        };
        std::vector<Column> columns;
        columns.reserve(static_cast<std::size_t>(plot.width()) + 2);
        double previousLast = line.value(points.front());
        long current = std::numeric_limits<long>::min();
        double last = previousLast;
        for (const TimelinePoint& point : points) {
            const double value = line.value(point);
            const long column = std::lround(std::floor(XForTime(point.sinceStart)));
            if (column != current) {
                if (!columns.empty())
                    previousLast = last;
                columns.push_back({static_cast<double>(column), std::min(value, previousLast),
                                   std::max(value, previousLast)});
                current = column;
            }
            columns.back().low = std::min(columns.back().low, value);
            columns.back().high = std::max(columns.back().high, value);
            last = value;
        }
        // Whole-pixel rectangles: the fastest fill there is, and exact at one column a pixel.
        const auto band = [&](double width, const QColor& color) {
            for (const Column& column : columns) {
                const double top = std::floor(YForFrags(column.high) - width / 2);
                const double bottom = std::ceil(YForFrags(column.low) + width / 2);
                painter.fillRect(QRectF(column.x, top, 1, bottom - top), color);
            }
        };
        painter.setRenderHint(QPainter::Antialiasing, false);
        if (!line.dashed)
            band(kEdgeWidth, kEdge);
        band(line.dashed ? 2.0 : kLineWidth, line.color);
        painter.setRenderHint(QPainter::Antialiasing, true);
    }
    painter.setClipping(false);

    // The latest values beside the lines' ends, pushed apart where they would overlap.
    const QFontMetricsF metrics(font);
    std::vector<std::pair<double, const Series*>> labels;
    for (const Series& line : series)
        labels.push_back({YForFrags(line.latest), &line});
    std::sort(labels.begin(), labels.end(),
              [](const auto& left, const auto& right) { return left.first < right.first; });
    for (std::size_t index = 1; index < labels.size(); ++index)
        labels[index].first =
            std::max(labels[index].first, labels[index - 1].first + metrics.height());
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const auto& [y, line] : labels) {
        const QRectF swatch(plot.right() + 6, y - 4, 8, 8);
        painter.fillRect(swatch, line->color);
        painter.setPen(kEdge);
        painter.drawRect(swatch);
        painter.setPen(kText);
        painter.drawText(QPointF(swatch.right() + 4, y + metrics.ascent() / 2 - 1),
                         NumberText(line->latest));
    }
}

void TimelineChart::PaintLegend(QPainter& painter) const
{
    const QFontMetricsF metrics(font);
    double x = plot.left() + 50;
    const double y = bounds.top() + metrics.height() * 0.9;
    const auto entry = [&](const QColor& color, const QString& label, bool dashed) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        if (dashed) {
            painter.setPen(QPen(color, 2, Qt::DashLine, Qt::FlatCap));
        } else {
            painter.setPen(QPen(kEdge, kEdgeWidth, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(x, y), QPointF(x + 18, y));
            painter.setPen(QPen(color, kLineWidth, Qt::SolidLine, Qt::RoundCap));
        }
        painter.drawLine(QPointF(x, y), QPointF(x + 18, y));
        painter.setPen(kText);
        painter.drawText(QPointF(x + 24, y + metrics.ascent() / 2 - 1), label);
        x += 24 + metrics.horizontalAdvance(label) + 16;
    };
    for (int team = 0; team < 3; ++team)
        if (model.TeamShown(team))
            entry(colors.team[static_cast<std::size_t>(team)],
                  TimelineTeamLabel(model.Texts(), team), false);
    entry(colors.total, QStringLiteral("Total frags"), true);
}
