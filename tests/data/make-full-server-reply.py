#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes full-server.reply: a busy QuakeWorld server's status reply, byte for byte as it
arrives (out-of-band header, 24 serverinfo pairs, 32 player lines with long decorated names).
Deterministic; the file is committed and this script records how it was made. It prints the
totals the tests expect.
"""

import pathlib

HEADER = b"\xff\xff\xff\xffn"

SERVER_INFO = [
    (b"*version", b"MVDSV 0.36-dev (linux) build 2023-08-14"),
    (b"*z_ext", b"511"),
    (b"*admin", b"Hawk Admin Team <admins@quake.example.org>"),
    (b"*gamedir", b"qw"),
    (b"*progs", b"so"),
    (b"*qvm", b"so"),
    (b"hostname", b"Hawk's Nest \x10EU\x11 :: Deathmatch Arena #1 :: 32 slots"),
    (b"maxclients", b"32"),
    (b"maxspectators", b"8"),
    (b"map", b"dm6"),
    (b"fraglimit", b"150"),
    (b"timelimit", b"20"),
    (b"teamplay", b"2"),
    (b"deathmatch", b"1"),
    (b"sv_antilag", b"2"),
    (b"maxfps", b"77"),
    (b"ktxver", b"1.42"),
    (b"ktxbuild", b"Aug 14 2023 20:31:07"),
    (b"fpd", b"206"),
    (b"serverdemo", b"4on4_red_vs_blue[dm6]270312-2107.mvd"),
    (b"mode", b"team"),
    (b"k_motd", b"Welcome to the Nest! Be nice, no spawn camping, have fun and frag hard"),
    (b"qwurl", b"https://quake.example.org/hawks-nest/rules-and-schedule.html"),
    (b"status", b"13 min left"),
]

# userId, frags, minutes, ping, name, skin, topColor, bottomColor. Names use spaces, QuakeWorld's
# gold brackets (0x10, 0x11) and red letters (the high bit set on ASCII).
def red(text):
    return bytes(c | 0x80 for c in text)


# A server that has run for days hands out user ids in the thousands.
USER_ID_BASE = 2000

# Names as players dress them up: QuakeWorld's ornament glyphs (0x1d-0x1f, 0x80-0x87).
DECORATION = b"\x1d\x1e\x1e\x1e\x1f\x85\x86\x87\x80\x84"

PLAYERS = [
    (112, 54, 19, 24, b"\x10RED\x11 Overlord of Rocket Arena", b"base", 4, 4),
    (113, 47, 19, 31, red(b"bloodhound") + b" the Second", b"base", 4, 4),
    (117, 12, 18, 45, b"Slow Poke (away from keyboard)", b"tf_sold", 11, 13),
    (120, 33, 17, 18, b"\x10BLU\x11 quadrocket dealer 9000", b"tf_scout", 13, 13),
    (121, -2, 17, 220, b"newbie with a very long nick", b"", 0, 0),
    (124, 47, 16, 28, b"gib machine " + red(b"XL") + b" reloaded", b"base", 4, 4),
    (125, 29, 16, 52, b"\x10BLU\x11 lightning gun sniper", b"tf_scout", 13, 13),
    (126, 0, 15, 999, b"connection interrupted guy", b"base", 2, 2),
    (127, 21, 15, 36, b"Mr. Grenade Spam " + red(b"[ON]"), b"tf_demo", 4, 13),
    (130, 18, 14, 41, red(b"shaft") + b" master of the lightning", b"base", 1, 1),
    (131, 33, 14, 27, b"\x10RED\x11 railroad to the quad", b"base", 4, 4),
    (133, 9, 13, 63, b"camper at the red armour", b"tf_snipe", 12, 12),
    (134, 15, 13, 33, b"\x10BLU\x11 water jumper extreme", b"tf_scout", 13, 13),
    (135, 26, 12, 22, b"\x10RED\x11 telefrag specialist", b"base", 4, 4),
    (137, 7, 12, 88, b"lagging from the other side", b"base", 3, 3),
    (140, 40, 11, 19, b"rocket jumping " + red(b"legend") + b" 1999", b"base", 4, 4),
    (141, 11, 10, 57, b"\x10BLU\x11 pent runner deluxe", b"tf_scout", 13, 13),
    (142, 3, 10, 120, b"spawn fragged again and again", b"tf_hwguy", 6, 6),
    (144, 22, 9, 29, b"\x10RED\x11 megahealth collector", b"base", 4, 4),
    (145, 17, 9, 44, b"\x10BLU\x11 ring of shadows user", b"tf_scout", 13, 13),
    (147, -5, 8, 73, b"suicidal lava swimmer " + red(b"x"), b"base", 5, 5),
    (148, 14, 8, 38, b"nailgun is my best friend", b"tf_medic", 7, 7),
    (150, 31, 7, 26, b"\x10RED\x11 grenade launcher guru", b"base", 4, 4),
    (151, 8, 7, 61, b"\x10BLU\x11 axe only challenge run", b"tf_scout", 13, 13),
    (153, 19, 6, 35, red(b"quad") + b" damage delivery service", b"base", 8, 8),
    (154, 2, 5, 140, b"just connected from far away", b"base", 9, 9),
    (156, 24, 5, 23, b"\x10RED\x11 lightning gun discharge", b"base", 4, 4),
    (157, 6, 4, 48, b"\x10BLU\x11 backpack hunter and co", b"tf_scout", 13, 13),
    (158, 1, 3, 95, b"observer turned player", b"tf_spy", 10, 10),
    (160, 12, 2, 30, b"\x10RED\x11 super shotgun sweeper", b"base", 4, 4),
    (161, 0, 1, 55, b"\x10BLU\x11 still loading the map", b"tf_scout", 13, 13),
    (162, 0, 0, 42, b"brand new to the server", b"base", 14, 14),
]


def main():
    reply = HEADER
    for key, value in SERVER_INFO:
        reply += b"\\" + key + b"\\" + value
    reply += b"\n"
    for user_id, frags, minutes, ping, name, skin, top, bottom in PLAYERS:
        name = DECORATION + name + DECORATION
        assert b'"' not in name and b"\n" not in name and b"\0" not in name
        reply += b'%d %d %d %d "%s" "%s" %d %d\n' % (
            USER_ID_BASE + user_id, frags, minutes, ping, name, skin, top, bottom)
    assert len(PLAYERS) == 32 and len(reply) <= 4096
    out = pathlib.Path(__file__).with_name("full-server.reply")
    out.write_bytes(reply)
    print(f"{out}: {len(reply)} bytes")
    print("total frags", sum(p[1] for p in PLAYERS))
    for color in (4, 13, 0):
        print(f"bottom colour {color}:", sum(p[1] for p in PLAYERS if p[7] == color))
    for skin in (b"base", b"tf_scout", b"tf_sold"):
        print(f"skin {skin.decode()}:", sum(p[1] for p in PLAYERS if p[5] == skin))
    print("longest minutes", max(p[2] for p in PLAYERS))


if __name__ == "__main__":
    main()
