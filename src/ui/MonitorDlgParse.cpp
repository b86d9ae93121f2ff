// The parse's dialog side: a received text becomes the dialog's status model, totals and order,
// then the display. Filled in with the watch cycle.
#include "ui/MonitorDlg.h"

void CMonitorDlg::ParseStatusReply(std::string)
{}

void CMonitorDlg::ComputeTotals()
{}

void CMonitorDlg::SortPlayersByFrags()
{}
