#pragma once

#include <string>

namespace velmora {

// The source of the timer value that names a new dictionary file: seconds
// since local midnight, and the decimal separator the user's locale writes
// numbers with. An interface so that tests can fix both.
class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since local midnight, in [0, 86400), as a single-precision value.
  virtual float seconds_since_midnight() const = 0;
  // The locale's decimal separator: one character, usually ',' or '.'.
  virtual char decimal_separator() const = 0;
};

// The real clock: local wall-clock time to the millisecond, and the decimal
// separator of the LC_NUMERIC locale the environment asks for (LC_ALL,
// LC_NUMERIC, LANG), looked up without changing the process's own locale.
// A locale that cannot be loaded, or whose separator is not one printable
// character that may stand in a file name, gives '.'.
class SystemClock final : public Clock {
 public:
  float seconds_since_midnight() const override;
  char decimal_separator() const override;
};

// A clock that always shows the same time; for tests and reproducible runs.
class FixedClock final : public Clock {
 public:
  FixedClock(float seconds, char separator) : seconds_(seconds), separator_(separator) {}
  float seconds_since_midnight() const override { return seconds_; }
  char decimal_separator() const override { return separator_; }

 private:
  float seconds_;
  char separator_;
};

// A single-precision number as the classic BASIC conversion writes it: the
// value rounded to seven significant digits, in plain positional notation,
// with no trailing zeros after the separator and no separator when nothing
// follows it; negative values get a leading '-'; zero is "0".
// Examples: (45296.55f, ',') -> "45296,55"; (0.5f, '.') -> "0.5"; 86400 ->
// "86400". Meant for timer values, which lie in [0, 86400); NaN and
// infinities give "0".
std::string timer_text(float seconds, char decimal_separator);

// timer_text of the clock's current reading with its separator.
std::string timer_text(const Clock& clock);

}  // namespace velmora
