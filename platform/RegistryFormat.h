#pragma once

#include "platform/RegistryTree.h"

#include <QByteArray>

// The text of the registry file, UTF-8, one item a line:
//
//   ; a comment                      lines starting with ';' and blank lines are skipped
//   [Software\Korvex\Wplatomat]      a key: its names from the root joined by '\'; [] is the root
//   AppPath=str:/opt/wplatomat/bin/wplatomat    a string value
//   MainFormLeft=int:100             a 32-bit integer, signed decimal
//   Logo=bin:00ff1a                  binary data, two hex digits a byte
//   =str:Dokument programu Wplatomat a value with the empty name: the key's default value
//
// Value lines belong to the key above them. A header makes its parent keys
// too, so the writer leaves out headers of keys without values that have
// subkeys. Any character can be written with an escape: "%" and two hex
// digits for a character up to U+00FF, "%u" and four hex digits for any
// UTF-16 unit. The writer escapes '%', control characters, a space at either
// end of a text and unpaired surrogates everywhere; in names also '=', '[',
// ']', ';' and '\'. Everything else, Polish letters included, is written as
// plain UTF-8.
//
// Reading never fails. A line that cannot be understood is skipped; when it
// has no '=' it may have been a damaged key header, so the values after it
// are skipped too, up to the next good header. A last line without its line
// feed is taken as cut off and skipped. Invalid UTF-8 spoils only its line.
// A header deeper than 512 keys or with a key name over 255 characters, and a
// value name over 16 383 characters, are damaged lines too.
namespace RegistryFormat {

RegistryTree parse(const QByteArray& text);
QByteArray format(const RegistryTree& tree);

} // namespace RegistryFormat
