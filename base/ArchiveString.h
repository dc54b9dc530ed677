#pragma once
// The archive string of the program's files: an optional wide-string marker
// (0xFF then 0xFFFE), a length in characters (one byte below 0xFF; else 0xFF
// and a 16-bit length below 0xFFFE; else 0xFF, 0xFFFF and a 32-bit length),
// then the characters without a terminator: UTF-16LE after the marker, single
// bytes without it.
#include <string>

#include "base/ByteReader.h"
#include "base/ByteWriter.h"

// Reads one archive string. A string without the wide marker (as an older file
// may hold) is read as 8-bit characters, taken as Latin-1. Fails, leaving
// `text` unchanged, when the bytes end early or the length form is not one of
// the three above.
bool ReadArchiveString(ByteReader& reader, std::u16string& text);

// Always writes the wide form, with the shortest length form.
void WriteArchiveString(ByteWriter& writer, const std::u16string& text);
