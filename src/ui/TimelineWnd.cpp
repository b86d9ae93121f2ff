// SPDX-License-Identifier: GPL-2.0-or-later
// The timeline window: a picture that fills it, a note line, and its buttons. The file dialogs
// and the error boxes run nested event loops: replies keep arriving and are added meanwhile.
#include "ui/TimelineWnd.h"

#include "framework/MessageBox.h"
#include "framework/Text.h"
#include "ui/TimelineChart.h"
#include "ui/UserSettings.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSvgGenerator>

namespace {

const QSize kDefaultSize(720, 420);
const QSize kMinimumSize(320, 200);

const QString kSizeKey = QStringLiteral("timeline/size");

} // namespace

// The picture, drawn anew from the model at each paint.
class CTimelineView : public QWidget
{
public:
    explicit CTimelineView(const CTimelineWnd& window) : window(window)
    {
        setMinimumSize(200, 120);
        setFocusPolicy(Qt::StrongFocus); // so that a screen reader can reach its description
        setAccessibleName(QStringLiteral("Team totals over time"));
        setObjectName(QStringLiteral("timelineView"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        TimelineChart(window.Shown(), QRectF(rect()), font()).Paint(painter);
    }

private:
    const CTimelineWnd& window;
};

CTimelineWnd::CTimelineWnd(const TimelineModel& watch, QWidget* parent)
    : QWidget(parent, Qt::Window), watch(watch)
{
    view = new CTimelineView(*this);
    note = new QLabel;
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    auto* openButton = new QPushButton(QStringLiteral("&Open Record..."));
    auto* saveButton = new QPushButton(QStringLiteral("&Save Picture..."));
    showWatchButton = new QPushButton(QStringLiteral("Show &Watch"));
    auto* closeButton = new QPushButton(QStringLiteral("Close"));
    connect(openButton, &QPushButton::clicked, this, [this] { OnOpenRecord(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { OnSavePicture(); });
    connect(showWatchButton, &QPushButton::clicked, this, [this] { OnShowWatch(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(openButton);
    buttons->addWidget(saveButton);
    buttons->addWidget(showWatchButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view, 1);
    layout->addWidget(note);
    layout->addLayout(buttons);

    setMinimumSize(kMinimumSize);
    const QSize remembered = UserSettings().value(kSizeKey).toSize();
    resize(remembered.isValid() ? remembered.expandedTo(kMinimumSize) : kDefaultSize);
    ShownChanged();
}

CTimelineWnd::~CTimelineWnd() = default;

void CTimelineWnd::WatchChanged()
{
    if (!showingRecord)
        ShownChanged();
}

const TimelineModel& CTimelineWnd::Shown() const
{
    return showingRecord ? record : watch;
}

Result<bool> CTimelineWnd::OpenRecord(const std::string& path)
{
    const Result<RecordContents> contents = ReadRecordFile(path);
    if (!contents)
        return Fail(contents.Error());
    record = TimelineModel::FromRecord(contents->entries);
    showingRecord = true;
    recordName = path;
    const std::size_t recordings = [&] {
        std::size_t count = 0;
        for (std::size_t index = 0; index < contents->entries.size(); ++index)
            if (index == 0 ||
                contents->entries[index].recordingStarted !=
                    contents->entries[index - 1].recordingStarted ||
                contents->entries[index].server != contents->entries[index - 1].server)
                ++count;
        return count;
    }();
    QString text;
    if (recordings > 1)
        text =
            QStringLiteral("The file holds %1 recordings; the last one is shown. ").arg(recordings);
    text += QString::fromStdString(contents->notice);
    note->setText(text.trimmed());
    ShownChanged();
    return true;
}

Result<bool> CTimelineWnd::SavePicture(const QString& path) const
{
    const QSize size = view->size();
    const QRectF bounds(QPointF(0, 0), QSizeF(size));
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator generator;
        generator.setFileName(path);
        generator.setSize(size);
        generator.setViewBox(bounds);
        generator.setTitle(windowTitle());
        generator.setDescription(view->accessibleDescription());
        QPainter painter;
        if (!painter.begin(&generator))
            return Fail(ToBytes(path) + ": cannot be written.");
        TimelineChart(Shown(), bounds, view->font()).Paint(painter);
        if (!painter.end())
            return Fail(ToBytes(path) + ": cannot be written.");
        // QSvgGenerator does not report a failed write, so the file is checked.
        if (QFileInfo(path).size() == 0)
            return Fail(ToBytes(path) + ": cannot be written.");
        return true;
    }
    QImage image(size * devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(&image);
    TimelineChart(Shown(), bounds, view->font()).Paint(painter);
    painter.end();
    if (!image.save(path, "PNG"))
        return Fail(ToBytes(path) + ": cannot be written.");
    return true;
}

void CTimelineWnd::closeEvent(QCloseEvent* event)
{
    UserSettings().setValue(kSizeKey, size());
    event->accept();
}

void CTimelineWnd::OnOpenRecord()
{
    // A nested loop: replies keep being added to the watch meanwhile.
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open Record"), QString(),
                                     QStringLiteral("Match records (*.jsonl);;All files (*)"));
    if (path.isEmpty())
        return;
    const Result<bool> opened = OpenRecord(QFile::encodeName(path).toStdString());
    if (!opened)
        // A nested loop, as above.
        ShowMessageBox(this, ToBytes(QString::fromLocal8Bit(opened.Error())), "Timeline",
                       MB_OK | MB_ICONEXCLAMATION);
}

void CTimelineWnd::OnSavePicture()
{
    QString selectedFilter;
    // A nested loop: replies keep being added meanwhile; the picture saved is the latest.
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save Picture"), QStringLiteral("timeline.png"),
        QStringLiteral("PNG image (*.png);;SVG image (*.svg)"), &selectedFilter);
    if (path.isEmpty())
        return;
    const bool svg = selectedFilter.contains(QStringLiteral("svg"));
    if (QFileInfo(path).suffix().isEmpty())
        path += svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    const Result<bool> saved = SavePicture(path);
    if (!saved)
        // A nested loop, as above.
        ShowMessageBox(this, saved.Error(), "Timeline", MB_OK | MB_ICONEXCLAMATION);
}

void CTimelineWnd::OnShowWatch()
{
    showingRecord = false;
    note->clear();
    ShownChanged();
}

void CTimelineWnd::ShownChanged()
{
    const TimelineModel& shown = Shown();
    QString title = QStringLiteral("Timeline");
    if (!shown.Server().empty())
        title += QStringLiteral(" - ") + ToUnicode(shown.Server());
    if (showingRecord)
        title += QStringLiteral(" (record ") +
                 QFileInfo(QFile::decodeName(recordName.c_str())).fileName() + QStringLiteral(")");
    setWindowTitle(title);
    view->setAccessibleDescription(TimelineDescription(shown));
    showWatchButton->setEnabled(showingRecord);
    view->update();
}
