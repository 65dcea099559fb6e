#pragma once

// The field tags of the editor panel: each editor is found by its tag, and
// the tag says which document field the editor's value goes to.
namespace EditorTags {
constexpr int Kwota = 1;
constexpr int Odbiorca = 16;
constexpr int OdbRach = 17;
constexpr int OdbKod = 18;
constexpr int OdbAdres = 19;
constexpr int OdbPoczta = 20;
constexpr int ZusAccount = 21;
constexpr int Nadawca = 32;
constexpr int NadRach = 33;
constexpr int NadKod = 34;
constexpr int NadAdres = 35;
constexpr int NadPoczta = 36;
constexpr int NadNIP = 37;
constexpr int NadTypId2 = 38;
constexpr int NadId2 = 39;
constexpr int NadNrDeklar = 40;
constexpr int NadDeklaracja = 41;
constexpr int NadTypWplaty = 42;
constexpr int NadNrDecyzji = 43;
constexpr int NadOkres = 44;
constexpr int NadSymbolForm = 45;
constexpr int NadIdZobow = 46;
constexpr int Bank = 48;
constexpr int Tytul = 64;
constexpr int Przelew = 80;
constexpr int Wplata = 81;
constexpr int MalePokwit = 82;
constexpr int KolTekst = 256;
constexpr int KolForm = 257;
} // namespace EditorTags
