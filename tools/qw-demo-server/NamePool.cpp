// SPDX-License-Identifier: GPL-2.0-or-later
// The fixed list of player names the demo server hands out, in the QuakeWorld character set.
#include "qw-demo-server/NamePool.h"

#include <algorithm>

namespace {

// Bytes 128 to 255 are the console's coloured letters (the letter + 128); 0x10 and 0x11 are its
// bracket glyphs, 0x12 to 0x1B its gold digits, 0x1C a dot, 0x05 a bullet.
const std::vector<std::string> kNames{
    "Alpha",
    "b\xf2\xe1\xe9\xee", // "brain" in red letters
    "\x10"
    "DD\x11 ogre", // clan tag in bracket glyphs
    "Mr. Smith",
    "fr\xe1g m\xe1\xe3hine",
    "\x1c"
    "rocket\x1c",
    "ParadokS",
    "[XX] hangtime",
    "Zero Cool",
    "gold\x12\x13\x14",        // gold digits 0, 1, 2
    "h\xe5ll\xef w\xef\xf2ld", // mixed white and red
    "\x05"
    "bullet\x05",
    "Sniper Wolf",
    "ch\xf5"
    "ck",
    "mIkE",
    "~tilde~",
    "lg-only #1",
    "Qu\xe1ke G\xef\xe4",
    "<the punisher>",
    "!ready",
    "n00b = 1",
    "\xc2\xcf\xd4", // "BOT" in red capitals
    "spaced   out",
    "Xx_killer_xX",
    "a\x7f"
    "b",
    "r\xe1il% 100",
    "quad (on)",
    "D\xe5\xe1th",
    "\x1d\x1e\x1f bar", // the console's bar glyphs
    "Strogg",
    "ruby*",
    "Orb'it",
};

} // namespace

bool IsValidNameText(const std::string& text)
{
    return text.size() <= kMaxNameBytes &&
           text.find_first_of(std::string("\"\\\r\n$;\0", 7)) == std::string::npos;
}

std::vector<std::string> PickNames(std::size_t count, bool longNames, std::mt19937& random)
{
    std::vector<std::string> pool = kNames;
    std::shuffle(pool.begin(), pool.end(), random);
    std::vector<std::string> names;
    for (std::size_t index = 0; index < count; ++index) {
        std::string name = pool[index % pool.size()];
        if (index >= pool.size())
            name += " " + std::to_string(index / pool.size() + 1);
        if (longNames) {
            name += " of the Long-Named Clan";
            name.resize(kMaxNameBytes, '.');
        }
        names.push_back(name.substr(0, kMaxNameBytes));
    }
    return names;
}
