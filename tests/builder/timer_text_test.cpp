#include "runtime/timer_text.h"

#include <gtest/gtest.h>
#include <langinfo.h>
#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <optional>
#include <string>

namespace velmora {
namespace {

TEST(TimerText, Values) {
  const struct {
    float seconds;
    char separator;
    const char* expected;
  } cases[] = {
      {0.0f, ',', "0"},
      {0.0f, '.', "0"},
      {-0.0f, ',', "0"},
      {0.5f, ',', "0,5"},
      {0.5f, '.', "0.5"},
      {45296.55f, ',', "45296,55"},
      {45296.55f, '.', "45296.55"},
      {86399.99f, ',', "86399,99"},
      {1.0f, ',', "1"},
      {10.0f, ',', "10"},
      {60.25f, '.', "60.25"},
      {3600.0f, ',', "3600"},
      {86400.0f, ',', "86400"},
      {0.001f, ',', "0,001"},
      {0.1f, ',', "0,1"},  // 0.100000001… in binary
      {0.015625f, ',', "0,015625"},
      // Seven significant digits of the exact binary value, rounded.
      {1234.5678f, ',', "1234,568"},  // 1234.5677490…
      {12345.678f, ',', "12345,68"},  // 12345.677734…
      {45296.547f, ',', "45296,55"},  // 45296.546875
      {86399.999f, ',', "86400"},     // the float is 86400 exactly
      {3600.0001f, ',', "3600"},      // 3600.0001220…
      {99999.99f, ',', "99999,99"},   // 99999.9921875
      {9999999.5f, ',', "10000000"},  // rounds up into an eighth digit
      {123456789.0f, ',', "123456800"},
      {-1.5f, ',', "-1,5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(timer_text(c.seconds, c.separator), c.expected) << c.seconds;
  }
}

TEST(TimerText, NotANumberGivesZero) {
  EXPECT_EQ(timer_text(std::nanf(""), ','), "0");
  EXPECT_EQ(timer_text(INFINITY, ','), "0");
}

TEST(TimerText, NeverMoreThanSevenDigitsNorATrailingZero) {
  // Every hundredth of a second of a day.
  for (int hundredths = 1; hundredths < 8'640'000; hundredths += 997) {
    const float seconds = static_cast<float>(hundredths / 100.0);
    const std::string text = timer_text(seconds, ',');
    int digits = 0;
    for (const char c : text) digits += c >= '0' && c <= '9';
    ASSERT_LE(digits, 7) << text;
    ASSERT_NE(text.back(), ',') << text;
    if (text.find(',') != std::string::npos) {
      ASSERT_NE(text.back(), '0') << text;
    }
    std::string number = text;
    std::replace(number.begin(), number.end(), ',', '.');
    ASSERT_NEAR(std::stod(number), seconds, 0.006) << text;
  }
}

TEST(FixedClock, ShowsItsTime) {
  const FixedClock comma(45296.55f, ',');
  EXPECT_EQ(timer_text(comma), "45296,55");
  const FixedClock dot(0.0f, '.');
  EXPECT_EQ(timer_text(dot), "0");
}

// Sets an environment variable for the scope and restores it after.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SystemClock, ReadsLocalTimeOfDay) {
  const SystemClock clock;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  const double expected = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
  const float seconds = clock.seconds_since_midnight();
  EXPECT_GE(seconds, 0.0f);
  EXPECT_LE(seconds, 86400.0f);
  // Near midnight the two readings may fall on either side of it.
  const double difference = std::fabs(seconds - expected);
  EXPECT_TRUE(difference < 2.0 || difference > 86398.0) << seconds << " vs " << expected;
}

TEST(SystemClock, SeparatorFollowsTheLocaleOfTheEnvironment) {
  {
    const ScopedEnv all("LC_ALL", "C");
    EXPECT_EQ(SystemClock().decimal_separator(), '.');
  }
  {
    const ScopedEnv all("LC_ALL", "no_SUCH.locale");
    EXPECT_EQ(SystemClock().decimal_separator(), '.');
  }
  // A comma locale is checked where one is installed.
  for (const char* name : {"ru_RU.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
    locale_t probe = ::newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
    if (probe == static_cast<locale_t>(nullptr)) continue;
    const char expected = ::nl_langinfo_l(RADIXCHAR, probe)[0];
    ::freelocale(probe);
    const ScopedEnv all("LC_ALL", name);
    EXPECT_EQ(SystemClock().decimal_separator(), expected) << name;
    EXPECT_EQ(expected, ',') << name;
  }
}

}  // namespace
}  // namespace velmora
