#include "runtime/timer_text.h"

#include <langinfo.h>
#include <locale.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace velmora {

std::string timer_text(float seconds, char decimal_separator) {
  if (!std::isfinite(seconds) || seconds == 0.0f) return "0";

  // "%.6e" rounds the exact binary value to seven significant digits:
  // "d.dddddde+XX".
  char scientific[32];
  std::snprintf(scientific, sizeof scientific, "%.6e", static_cast<double>(seconds));
  std::string_view text(scientific);
  std::string result;
  if (text.front() == '-') {
    result.push_back('-');
    text.remove_prefix(1);
  }
  std::string digits;
  digits.push_back(text[0]);
  digits.append(text.substr(2, 6));
  const int exponent = std::atoi(text.data() + 9);  // after "d.dddddde"
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  if (exponent >= 0) {
    const std::size_t integer_digits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integer_digits) {
      result += digits;
      result.append(integer_digits - digits.size(), '0');
    } else {
      result.append(digits, 0, integer_digits);
      result.push_back(decimal_separator);
      result.append(digits, integer_digits, std::string::npos);
    }
  } else {
    result.push_back('0');
    result.push_back(decimal_separator);
    result.append(static_cast<std::size_t>(-exponent - 1), '0');
    result += digits;
  }
  return result;
}

std::string timer_text(const Clock& clock) {
  return timer_text(clock.seconds_since_midnight(), clock.decimal_separator());
}

float SystemClock::seconds_since_midnight() const {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  ::localtime_r(&now.tv_sec, &local);
  const long milliseconds = now.tv_nsec / 1000000;
  const double seconds =
      local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + milliseconds / 1000.0;
  return static_cast<float>(seconds);
}

char SystemClock::decimal_separator() const {
  char separator = '.';
  locale_t numeric = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (numeric == static_cast<locale_t>(nullptr)) return separator;
  const char* radix = ::nl_langinfo_l(RADIXCHAR, numeric);
  // Only a one-byte separator that can stand in a file name is used.
  if (radix != nullptr && radix[0] != '\0' && radix[1] == '\0' && radix[0] > ' ' &&
      radix[0] < 0x7F && radix[0] != '/') {
    separator = radix[0];
  }
  ::freelocale(numeric);
  return separator;
}

}  // namespace velmora
