// SPDX-License-Identifier: GPL-2.0-or-later
// CTimelineWnd: the timeline's own window, non-modal and resizable, opened from the monitor
// dialog's menus. It follows the current watch, or shows a match record opened from a file, and
// saves the picture as PNG or SVG. It remembers its size. GUI thread only. The monitor dialog
// makes it a window of its own widget, so that the modal dialog does not block it and it ends
// with that widget; the watch's model it borrows outlives that widget.
#pragma once

#include "status/Result.h"
#include "ui/TimelineModel.h"

#include <QWidget>
#include <string>

class QLabel;
class QPushButton;
class CTimelineView;

class CTimelineWnd : public QWidget
{
public:
    // A top-level window owned by `parent` (null: by nobody).
    explicit CTimelineWnd(const TimelineModel& watch, QWidget* parent = nullptr);
    ~CTimelineWnd() override;

    // The watch's model has changed (a reply, a new watch): redraw when it is shown.
    void WatchChanged();

    // Shows the last recording of the record instead of the watch; fails naming the file and the
    // reason. A note about skipped lines is shown under the picture.
    Result<bool> OpenRecord(const std::string& path);
    // PNG unless the name ends in ".svg"; the picture as the window shows it.
    Result<bool> SavePicture(const QString& path) const;

    const TimelineModel& Shown() const;
    bool ShowingRecord() const { return showingRecord; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnOpenRecord();
    void OnSavePicture();
    void OnShowWatch();
    void ShownChanged();

    const TimelineModel& watch;
    TimelineModel record;
    bool showingRecord = false;
    std::string recordName;
    CTimelineView* view;
    QLabel* note;
    QPushButton* showWatchButton;
};
