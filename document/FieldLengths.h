#pragma once

// The longest value of each text field, counted as the editors count it (a
// line break is CR LF, two characters). The editors take no more from the
// keyboard and the file reader refuses a longer field, so no document the
// program holds is too large to be saved and read back, or slow to show.
namespace FieldLength {
constexpr int Name = 130; // names, addresses, post offices, the bank
constexpr int Account = 35;
constexpr int PostalCode = 6;
constexpr int Title = 120;
// The money order's correspondence box shows 19 lines of 46 mm at 8 pt,
// some 1 400 characters of the narrowest letters: more would never print.
constexpr int Correspondence = 2000;
constexpr int Nip = 10;
constexpr int SecondId = 14;
constexpr int DeclarationNumber = 2;
constexpr int Declaration = 6;
constexpr int DecisionNumber = 15;
constexpr int TaxPeriod = 7;
constexpr int FormSymbol = 7;
constexpr int ObligationId = 20;
} // namespace FieldLength
