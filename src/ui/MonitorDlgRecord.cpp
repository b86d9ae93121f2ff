// SPDX-License-Identifier: GPL-2.0-or-later
// Recording a match: every reply the window shows, appended to a file as a match-record line by
// the same writer as tallyhawk-query --record. A failed write ends the recording with one box.
#include "framework/MessageBox.h"
#include "framework/Text.h"
#include "query/MatchRecord.h"
#include "ui/MonitorDlg.h"

#include <QFile>
#include <QFileDialog>
#include <QTimer>

namespace {

// A file path from the system, shown in a box of the program's 8-bit text.
std::string ShownText(const std::string& localText)
{
    return ToBytes(QString::fromLocal8Bit(localText.c_str()));
}

} // namespace

void CMonitorDlg::OnRecordMatch()
{
    if (recorder) {
        recorder.reset();
        return;
    }
    std::optional<std::string> path;
    if (chooseRecordFile) {
        path = chooseRecordFile();
    } else {
        // Nested loop: ticks and replies go on meanwhile; they are not recorded until a file is
        // chosen. A record is appended to, so choosing an existing one asks nothing.
        const QString chosen = QFileDialog::getSaveFileName(
            GetSafeHwnd(), QStringLiteral("Record Match"), QStringLiteral("match.jsonl"),
            QStringLiteral("Match records (*.jsonl);;All files (*)"), nullptr,
            QFileDialog::DontConfirmOverwrite);
        if (!chosen.isEmpty())
            path = QFile::encodeName(chosen).toStdString();
    }
    if (!path || recorder)
        return;
    ::Result<std::unique_ptr<RecordWriter>> opened = RecordWriter::Open(*path);
    if (!opened) {
        // Nested loop: ticks and replies go on meanwhile, unrecorded.
        AfxMessageBox(ShownText(opened.Error()));
        return;
    }
    recorder = std::move(*opened);
    recordingStarted = std::chrono::system_clock::now();
}

bool CMonitorDlg::IsRecording() const
{
    return recorder != nullptr;
}

void CMonitorDlg::RecordStandings()
{
    if (!recorder || !standingsServer)
        return;
    RecordContext context;
    context.time = std::chrono::system_clock::now();
    context.recordingStarted = recordingStarted;
    context.server = standingsServer->Text();
    context.teamMode = ShownTeamMode();
    context.teamTexts = {team1Text, team2Text, team3Text};
    const ::Result<bool> appended =
        recorder->Append(FormatRecordLine(context, ReplyStandings{status, totals}));
    if (appended)
        return;
    recorder.reset();
    // Shown once the reply's handling has ended rather than inside the socket's report; the
    // recording has stopped already, so the replies that arrive while it is open add no box.
    QTimer::singleShot(0, GetSafeHwnd(), [message = ShownText(appended.Error())] {
        AfxMessageBox(message + "\n\nThe recording has stopped.");
    });
}
