// The QuakeWorld out-of-band status request that each query sends, 11 bytes, no terminator:
//   FF FF FF FF         out-of-band marker
//   73 74 61 74 75 73   "status"
//   0A                  line feed
#pragma once

inline constexpr char kStatusRequest[] = "\xff\xff\xff\xff"
                                         "status\n";

static_assert(sizeof kStatusRequest - 1 == 11);
