#pragma once

#include <cstdint>

// A fixed-point amount: złote times 10000, so 12.34 zł is 123400.
using Currency = std::int64_t;
constexpr Currency CurrencyScale = 10000;
