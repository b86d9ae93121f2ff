// SPDX-License-Identifier: GPL-2.0-or-later
// The framework's text boundary: the program's strings are 8-bit Windows-1252 text in
// std::string; widgets hold Unicode. Every byte round-trips exactly (the five bytes that
// Windows-1252 leaves undefined map to the C1 code points of the same value).
#pragma once

#include <QString>
#include <string>

QString ToUnicode(const std::string& bytes);

// Characters outside Windows-1252 become '?'; a zero character becomes '?' too, since the
// program's strings never hold a zero byte.
std::string ToBytes(const QString& text);
