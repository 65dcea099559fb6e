#pragma once

#include <QLatin1String>

// The program's page, shown and opened by the about box. A placeholder of
// ours: whoever publishes the program puts its real page here.
constexpr QLatin1String ProgramWebAddress("www.example.org/wplatomat");
