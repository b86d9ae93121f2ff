// SPDX-License-Identifier: GPL-2.0-or-later
// The standings display's costs on the offscreen platform: one RefreshDisplay of a full server
// (33 rows), with and without the serverinfo rebuild, and building the colour image list from
// the swatch strip (decoding included).
#include "framework/ImageList.h"
#include "framework/PackedDib.h"
#include "framework/Resources.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// 33 players with high-bit names, all colours, and 20 serverinfo pairs.
void FillFullServer(CMonitorDlg& dialog)
{
    StatusModel& status = Seam(dialog).status;
    for (int row = 0; row < kMaxPlayers; ++row) {
        PlayerEntry& player = status.players[static_cast<std::size_t>(row)];
        player.userId = row + 1;
        player.name = "\xD0layer " + std::to_string(row);
        player.frags = 100 - 3 * row;
        player.minutes = row;
        player.topColor = row % 15;
        player.bottomColor = (row * 7) % 15;
        player.ping = 20 + row;
        player.skin = row % 2 ? "red" : "blue";
    }
    status.playerCount = kMaxPlayers;
    status.serverEmpty = false;
    ServerInfoTable& info = status.serverInfo;
    for (int pair = 0; pair < 20; ++pair) {
        info.infoKeys[static_cast<std::size_t>(pair)] =
            pair == 0 ? "hostname" : "key" + std::to_string(pair);
        info.infoValues[static_cast<std::size_t>(pair)] = "value " + std::to_string(pair);
    }
    info.infoCount = 20;
    Seam(dialog).totals = {1234, {600, 500, 134}, 42};
}

void BM_RefreshDisplay33Rows(benchmark::State& state)
{
    const bool rebuildServerInfo = state.range(0) != 0;
    CMonitorDlg dialog;
    dialog.Create();
    FillFullServer(dialog);
    for (auto _ : state) {
        Seam(dialog).infoRefreshCountdown = rebuildServerInfo ? 0 : 5;
        dialog.RefreshDisplay();
        benchmark::DoNotOptimize(Seam(dialog).playerList.GetItemCount());
    }
}
BENCHMARK(BM_RefreshDisplay33Rows)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("serverinfo")
    ->Unit(benchmark::kMicrosecond);

void BM_SwatchImageList(benchmark::State& state)
{
    for (auto _ : state) {
        CImageList images;
        images.Create(kSwatchStripId, 16);
        benchmark::DoNotOptimize(images.GetImageCount());
    }
}
BENCHMARK(BM_SwatchImageList)->Unit(benchmark::kMicrosecond);

void BM_DecodeSwatchStrip(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = AfxLoadBitmapBytes(kSwatchStripId);
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodePackedDib(bytes));
}
BENCHMARK(BM_DecodeSwatchStrip)->Unit(benchmark::kMicrosecond);

} // namespace
