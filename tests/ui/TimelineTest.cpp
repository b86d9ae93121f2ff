// SPDX-License-Identifier: GPL-2.0-or-later
// The timeline: its points (a day kept, oldest dropped first) and match marks, the picture drawn
// offscreen from a small committed record (each line's colour found at its expected height, each
// mark's line at its time), and the window (title, description for screen readers, saved
// pictures, remembered size).

#include "TestData.h"
#include "query/MatchRecord.h"
#include "ui/TimelineChart.h"
#include "ui/TimelineWnd.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using std::chrono::system_clock;

const system_clock::time_point kStart = system_clock::time_point(1'797'000'000'000ms);

StandingsTotals Totals(std::int32_t team1, std::int32_t team2, std::int32_t team3)
{
    return {team1 + team2 + team3, {team1, team2, team3}, 0};
}

TimelineModel CommittedRecord()
{
    const Result<RecordContents> contents = ReadRecordFile(TestDataPath("timeline-match.jsonl"));
    EXPECT_TRUE(contents) << contents.Error();
    return contents ? TimelineModel::FromRecord(contents->entries) : TimelineModel();
}

TEST(TimelineModelTest, KeepsADayOfRepliesDroppingTheOldestFirst)
{
    TimelineModel model;
    model.Reset("h:1");
    const int replies = 24 * 720 + 100; // every 5 seconds, a day and a little more
    // A match every 20 minutes: it starts at the 12th reply and ends at the next one's first.
    for (int reply = 0; reply < replies; ++reply)
        model.Add(kStart + 5s * reply, Totals(reply, 0, 0), TeamMode::Skin, {"a", "", ""},
                  reply % 240 < 12 ? "Countdown" : "10 min left");
    ASSERT_EQ(model.Points().size(), 24u * 720 + 1);
    EXPECT_EQ(model.Points().back().sinceStart - model.Points().front().sinceStart, 24h);
    EXPECT_EQ(model.Points().front().teamTotal[0], replies - 1 - 24 * 720);
    // Time since the watch began, not since the oldest point kept.
    EXPECT_EQ(model.Points().back().sinceStart, 5s * (replies - 1));
    // The oldest point kept is reply 100: the first start (reply 12) went with the points.
    ASSERT_FALSE(model.Marks().empty());
    EXPECT_EQ(model.Marks().front().sinceStart, 5s * 240);
    EXPECT_EQ(model.Marks().front().kind, WatchEventKind::MatchEnd);
    EXPECT_EQ(model.Marks().back().sinceStart, 5s * (24 * 720 + 12));
    EXPECT_EQ(model.Marks().back().kind, WatchEventKind::MatchStart);

    model.Reset("h:2");
    EXPECT_TRUE(model.Points().empty());
    EXPECT_TRUE(model.Marks().empty());
    // The phase went with the watch: a running match first seen now is no start.
    model.Add(kStart, Totals(0, 0, 0), TeamMode::Skin, {}, "9 min left");
    EXPECT_TRUE(model.Marks().empty());
}

// Replies a minute apart, each with its "status" value (none: the key is absent).
TEST(TimelineModelTest, MarksTheMatchStartsAndEndsOfTheStatusValues)
{
    using Kind = WatchEventKind;
    using Mark = std::pair<int, Kind>; // minute, kind
    struct MarkCase
    {
        const char* name;
        std::vector<std::optional<std::string>> statuses;
        std::vector<Mark> expected;
    };
    const MarkCase cases[] = {
        {"standby, minutes left, standby",
         {"Standby", "20 min left", "19 min left", "Standby"},
         {{1, Kind::MatchStart}, {3, Kind::MatchEnd}}},
        {"countdown to seconds left", {"Countdown", "45 sec left"}, {{1, Kind::MatchStart}}},
        {"the key going away ends the match",
         {"Countdown", "5 min left", std::nullopt},
         {{1, Kind::MatchStart}, {2, Kind::MatchEnd}}},
        {"no key, then a running match: no start",
         {std::nullopt, "5 min left", "Standby"},
         {{2, Kind::MatchEnd}}},
        {"unreadable values are passed over",
         {"Standby", "Overtime", "10 min left", "", "min left", "Standby"},
         {{2, Kind::MatchStart}, {5, Kind::MatchEnd}}},
        {"a watch begun mid-match, then the next match",
         {"7 min left", "Standby", "Countdown", "20 MIN LEFT"},
         {{1, Kind::MatchEnd}, {3, Kind::MatchStart}}},
        {"waiting values among themselves", {"Standby", "Countdown", "Standby"}, {}},
    };
    for (const MarkCase& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TimelineModel model;
        model.Reset("h:1");
        for (std::size_t reply = 0; reply < testCase.statuses.size(); ++reply)
            model.Add(kStart + 1min * static_cast<int>(reply), Totals(0, 0, 0), TeamMode::Skin, {},
                      testCase.statuses[reply]);
        std::vector<Mark> marks;
        for (const TimelineMark& mark : model.Marks())
            marks.push_back({static_cast<int>(mark.sinceStart / 1min), mark.kind});
        EXPECT_EQ(marks, testCase.expected);
    }
}

TEST(TimelineModelTest, ClockSetBackKeepsThePointsInOrder)
{
    TimelineModel model;
    model.Reset("h:1");
    model.Add(kStart, Totals(1, 0, 0), TeamMode::Skin, {});
    model.Add(kStart + 10s, Totals(2, 0, 0), TeamMode::Skin, {});
    model.Add(kStart - 1h, Totals(3, 0, 0), TeamMode::Skin, {});
    ASSERT_EQ(model.Points().size(), 3u);
    EXPECT_EQ(model.Points()[2].sinceStart, 10s);
}

TEST(TimelineModelTest, TeamsWithoutTextOrFragsGetNoLine)
{
    TimelineModel model;
    model.Reset("h:1");
    model.Add(kStart, Totals(0, 0, 4), TeamMode::Skin, {"red", "", ""});
    EXPECT_TRUE(model.TeamShown(0));
    EXPECT_FALSE(model.TeamShown(1));
    EXPECT_TRUE(model.TeamShown(2));
}

TEST(TimelineColorsTest, ColorModeTakesTheSwatchColourOfEachNumber)
{
    struct ColorCase
    {
        const char* text;
        QRgb expected;
    };
    const TimelineColors skin = TimelineLineColors(TeamMode::Skin, {"1", "3", "4"});
    const ColorCase cases[] = {
        {"1", 0x808000},
        {"3", 0x008000},
        {"4", 0x800000},
        {"11", 0x008080},
        {"0", 0xFFFFFF},
        {"99", 0xFFFFFF},
        {"-1", skin.team[0].rgb() & 0xFFFFFF}, // no swatch: the first fixed colour
    };
    for (const ColorCase& testCase : cases) {
        SCOPED_TRACE(testCase.text);
        const TimelineColors colors = TimelineLineColors(TeamMode::Color, {testCase.text, "", ""});
        EXPECT_EQ(colors.team[0].rgb() & 0xFFFFFF, testCase.expected);
    }
    EXPECT_NE(skin.team[0], skin.team[1]);
    EXPECT_NE(skin.team[1], skin.team[2]);
}

// Whether a pixel within `reach` rows of y and `across` columns of x has (nearly) the colour.
bool ColourNear(const QImage& image, double x, double y, const QColor& color, int reach,
                int across = 0)
{
    for (int column = static_cast<int>(std::lround(x)) - across; column <= std::lround(x) + across;
         ++column)
        for (int row = static_cast<int>(std::lround(y)) - reach; row <= std::lround(y) + reach;
             ++row) {
            if (row < 0 || row >= image.height() || column < 0 || column >= image.width())
                continue;
            const QColor pixel = image.pixelColor(column, row);
            if (std::abs(pixel.red() - color.red()) + std::abs(pixel.green() - color.green()) +
                    std::abs(pixel.blue() - color.blue()) <
                40)
                return true;
        }
    return false;
}

// The committed record's match at a reply a minute, and the same match at four replies a second,
// so that there are more points than pixels across.
TimelineModel DenseMatch()
{
    TimelineModel model;
    model.Reset("127.0.0.1:27500");
    for (int reply = 0; reply <= 12 * 240; ++reply) {
        const double minute = reply / 240.0;
        const auto team1 = static_cast<std::int32_t>(std::min(30.0, 5 * minute));
        const auto team2 = static_cast<std::int32_t>(std::min(15.0, 3 * minute));
        const auto team3 = static_cast<std::int32_t>(std::min(5.0, minute));
        // As in the record: counting down in the first minute, running until minute 7.
        const std::string status = minute < 1 ? "Countdown"
                                   : minute < 7
                                       ? std::to_string(7 - static_cast<int>(minute)) + " min left"
                                       : "Standby";
        model.Add(kStart + 250ms * reply, Totals(team1, team2, team3), TeamMode::Skin,
                  {"red", "blue", "gold"}, status);
    }
    return model;
}

TEST(TimelineChartTest, EachLineIsDrawnInItsColourAtTheHeightOfItsTotal)
{
    struct ChartCase
    {
        const char* name;
        TimelineModel model;
    };
    const ChartCase cases[] = {{"a reply a minute", CommittedRecord()},
                               {"four replies a second", DenseMatch()}};
    for (const ChartCase& chartCase : cases) {
        SCOPED_TRACE(chartCase.name);
        const TimelineModel& model = chartCase.model;
        ASSERT_FALSE(model.Points().empty());
        QImage image(640, 360, QImage::Format_RGB32);
        QPainter painter(&image);
        const TimelineChart chart(model, QRectF(0, 0, 640, 360), QApplication::font());
        chart.Paint(painter);
        painter.end();

        const TimelineColors colors = TimelineLineColors(TeamMode::Skin, model.Texts());
        struct Line
        {
            QColor color;
            double frags; // from minute 6 on, the match's totals stay put
        };
        const Line teams[] = {{colors.team[0], 30}, {colors.team[1], 15}, {colors.team[2], 5}};
        for (const std::chrono::minutes minute : {7min, 9min, 11min}) {
            const double x = chart.XForTime(minute);
            for (const Line& line : teams) {
                SCOPED_TRACE(testing::Message()
                             << "minute " << minute.count() << ", frags " << line.frags);
                EXPECT_TRUE(ColourNear(image, x, chart.YForFrags(line.frags), line.color, 2));
                // Nowhere near the other lines' heights.
                for (const double other : {30.0, 15.0, 5.0, 50.0})
                    if (other != line.frags) {
                        EXPECT_FALSE(ColourNear(image, x, chart.YForFrags(other), line.color, 2))
                            << "also at " << other;
                    }
            }
            // The total may be dashed: a dash within a few columns.
            EXPECT_TRUE(ColourNear(image, x, chart.YForFrags(50), colors.total, 1, 6));
            EXPECT_FALSE(ColourNear(image, x, chart.YForFrags(40), colors.total, 1, 6));
        }
        // Rising at the start: at minute 2 team 1 had 10 frags.
        EXPECT_TRUE(
            ColourNear(image, chart.XForTime(2min), chart.YForFrags(10), colors.team[0], 3));

        // The match started at minute 1 and ended at minute 7: a line at each, up and down the
        // plot where no total runs, and none a few columns aside.
        struct MarkLine
        {
            std::chrono::minutes time;
            WatchEventKind kind;
        };
        for (const MarkLine mark : {MarkLine{1min, WatchEventKind::MatchStart},
                                    MarkLine{7min, WatchEventKind::MatchEnd}}) {
            SCOPED_TRACE(testing::Message() << "mark at minute " << mark.time.count());
            const QColor color = TimelineMarkColor(mark.kind);
            const double x = chart.XForTime(mark.time);
            for (const double frags : {20.0, 40.0}) {
                EXPECT_TRUE(ColourNear(image, x, chart.YForFrags(frags), color, 0, 1));
                EXPECT_FALSE(ColourNear(image, x - 6, chart.YForFrags(frags), color, 0, 2));
                EXPECT_FALSE(ColourNear(image, x + 6, chart.YForFrags(frags), color, 0, 2));
            }
        }
    }
}

class TimelineWindowTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { QStandardPaths::setTestModeEnabled(true); }
    QTemporaryDir folder;
};

TEST_F(TimelineWindowTest, OpenedRecordNamesServerDescribesTotalsAndNotesTheTornLine)
{
    const TimelineModel watch;
    CTimelineWnd window(watch);
    const Result<bool> opened = window.OpenRecord(TestDataPath("timeline-match.jsonl"));
    ASSERT_TRUE(opened) << opened.Error();
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("127.0.0.1:27500")));
    const auto* view = window.findChild<QWidget*>(QStringLiteral("timelineView"));
    ASSERT_NE(view, nullptr);
    const QString description = view->accessibleDescription();
    for (const char* expected :
         {"Team 1 (red) 30", "Team 2 (blue) 15", "Team 3 (gold) 5", "total frags 50",
          "A match started at minute 1.", "A match ended at minute 7."})
        EXPECT_TRUE(description.contains(QLatin1String(expected))) << description.toStdString();
    const auto* note = window.findChild<QLabel*>();
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->text().contains(QStringLiteral("1 line was skipped")));

    const Result<bool> missing = window.OpenRecord(folder.filePath("absent.jsonl").toStdString());
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.Error().find("absent.jsonl"), std::string::npos);
    EXPECT_TRUE(window.ShowingRecord()); // the record shown stays
}

TEST_F(TimelineWindowTest, FollowsTheWatchLive)
{
    TimelineModel watch;
    CTimelineWnd window(watch);
    watch.Reset("demo.example:27500");
    watch.Add(kStart, Totals(1, 2, 0), TeamMode::Skin, {"red", "blue", ""});
    watch.Add(kStart + 5s, Totals(4, 2, 0), TeamMode::Skin, {"red", "blue", ""});
    window.WatchChanged();
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("demo.example:27500")));
    EXPECT_EQ(window.Shown().Points().size(), 2u);
    const auto* view = window.findChild<QWidget*>(QStringLiteral("timelineView"));
    EXPECT_TRUE(view->accessibleDescription().contains(QStringLiteral("Team 1 (red) 4")));
}

TEST_F(TimelineWindowTest, SavesPngAndSvgAndReportsAFolderThatIsNotThere)
{
    const TimelineModel watch;
    CTimelineWnd window(watch);
    ASSERT_TRUE(window.OpenRecord(TestDataPath("timeline-match.jsonl")));
    window.show();

    const QString png = folder.filePath(QStringLiteral("t.png"));
    ASSERT_TRUE(window.SavePicture(png));
    const QImage saved(png);
    EXPECT_FALSE(saved.isNull());
    EXPECT_GT(saved.width(), 100);

    const QString svg = folder.filePath(QStringLiteral("t.svg"));
    ASSERT_TRUE(window.SavePicture(svg));
    QFile svgFile(svg);
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    const QByteArray svgText = svgFile.readAll();
    EXPECT_TRUE(svgText.contains("<svg"));
    EXPECT_TRUE(svgText.contains("<polyline")) << "the lines are vectors";

    for (const QString& unwritable : {folder.filePath(QStringLiteral("gone/t.png")),
                                      folder.filePath(QStringLiteral("gone/t.svg"))}) {
        const Result<bool> failed = window.SavePicture(unwritable);
        ASSERT_FALSE(failed) << unwritable.toStdString();
        EXPECT_NE(failed.Error().find("gone/t."), std::string::npos);
    }
}

TEST_F(TimelineWindowTest, RemembersItsSize)
{
    const TimelineModel watch;
    {
        CTimelineWnd window(watch);
        window.show();
        window.resize(555, 333);
        window.close();
    }
    CTimelineWnd again(watch);
    EXPECT_EQ(again.size(), QSize(555, 333));
}

} // namespace
