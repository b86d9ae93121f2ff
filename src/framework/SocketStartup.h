// SPDX-License-Identifier: GPL-2.0-or-later
// Sockets start-up for the application object: succeeds when the process can open an IPv4
// datagram socket, the one kind the program uses.
#pragma once

// Opens an IPv4 datagram socket and closes it again; true when that worked. Once it has
// succeeded, later calls succeed at once.
bool AfxSocketInit();
