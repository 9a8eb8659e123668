#include "builder/text_cleaning.h"

#include <gtest/gtest.h>

#include "literal_algorithms.h"
#include "runtime/text_case.h"
#include "runtime/text_codec.h"

namespace velmora {
namespace {

struct Case {
  std::u16string input;
  std::u16string expected;
};

std::string show(std::u16string_view text) { return "«" + to_utf8(text) + "»"; }

TEST(KeepLetters, Examples) {
  const Case cases[] = {
      {u"", u""},
      {u"Дом, 2 кота!", u"Дом    кота "},
      {u"кто-то", u"кто то"},
      {u"Hello", u"     "},
      {u"ЁЛКА", u"ЁЛКА"},
      {u"ёлка", u"ёлка"},
      {u"їжак", u" жак"},
      {u"і ї є ґ ў", u"         "},
      {u"да\tнет\r\n\"так\"", u"да нет   так "},
      {u"Абв\u00A0где", u"Абв где"},  // a no-break space is not kept
      {u"ЙЦУКЕН йцукен", u"ЙЦУКЕН йцукен"},
      {u"«Кот» – 'учёный'…", u" Кот     учёный  "},
  };
  for (const Case& c : cases) {
    const std::u16string result = keep_letters(c.input, kRussianLetters);
    EXPECT_EQ(result, c.expected) << show(c.input);
    EXPECT_EQ(result.size(), c.input.size()) << show(c.input);
  }
}

TEST(KeepLetters, ShortLetterSetKeepsItsLettersInTheirOwnCase) {
  const Case cases[] = {
      {u"Кот и КИТ", u"К   и КИ "},
      {u"abc", u"   "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keep_letters(c.input, u"кид"), c.expected) << show(c.input);
  }
  // An upper-case member of the set never matches.
  EXPECT_EQ(keep_letters(u"ДОМ дом", u"Д"), u"       ");
}

// The fast test for the Russian set must agree with lower-casing each code
// unit and searching the set, for every code unit there is.
TEST(KeepLetters, RussianSetAgreesWithLowerCaseSearchForEveryCodeUnit) {
  const std::u16string letters(kRussianLetters);
  int kept = 0;
  for (char32_t code = 0; code <= 0xFFFF; ++code) {
    const std::u16string one(1, static_cast<char16_t>(code));
    const std::u16string expected = literal::keep_letters(one, letters);
    ASSERT_EQ(keep_letters(one, kRussianLetters), expected)
        << "U+" << std::hex << static_cast<unsigned>(code);
    const bool kept_unit = expected == one && one[0] != u' ';
    ASSERT_EQ(is_russian_letter(one[0]), kept_unit)
        << "U+" << std::hex << static_cast<unsigned>(code);
    if (kept_unit) ++kept;
  }
  EXPECT_EQ(kept, 66);  // А–Я, а–я, Ё, ё
}

TEST(KeepLetters, SetHoldsTheThirtyThreeLowerCaseLetters) {
  EXPECT_EQ(kRussianLetters.size(), 33u);
  for (char16_t unit = u'а'; unit <= u'я'; ++unit) {
    EXPECT_NE(kRussianLetters.find(unit), std::u16string_view::npos);
  }
  EXPECT_NE(kRussianLetters.find(u'ё'), std::u16string_view::npos);
}

TEST(SqueezeSpaces, Examples) {
  const Case cases[] = {
      {u"", u""},
      {u"   ", u""},
      {u" ", u""},
      {u"а", u"а"},
      {u"  мир   дом  ", u"мир дом"},
      {u"да  нет   так", u"да нет так"},
      {u"да\tнет", u"да\tнет"},
      {u"да \t нет", u"да \t нет"},
      {u"a  b  c", u"a b c"},
      {u"  Кот Учёный   КОТ  ", u"Кот Учёный КОТ"},
      {u"один", u"один"},
      {u"\tx\t", u"\tx\t"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(squeeze_spaces(c.input), c.expected) << show(c.input);
  }
}

TEST(CleaningPipeline, KotUchyonyStepByStep) {
  const std::u16string field = u"  Кот-Учёный,  КОТ! ";
  const std::u16string step1 = keep_letters(field, kRussianLetters);
  EXPECT_EQ(step1, u"  Кот Учёный   КОТ  ");
  EXPECT_EQ(trim_blanks(step1), u"Кот Учёный   КОТ");
  const std::u16string step2 = squeeze_spaces(step1);
  EXPECT_EQ(step2, u"Кот Учёный КОТ");
  EXPECT_EQ(to_lower(step2), u"кот учёный кот");
  EXPECT_EQ(clean_field(field), u"кот учёный кот");
}

TEST(CleaningPipeline, Examples) {
  const Case cases[] = {
      {u"", u""},
      {u"123 abc !!!", u""},
      {u"ЁЛКА и Ёж", u"ёлка и ёж"},
      {u"Hello, Мир!", u"мир"},
      {u"\tДом\t\tКот\r\n", u"дом кот"},
      {u"кто-то где-нибудь", u"кто то где нибудь"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(clean_field(c.input), c.expected) << show(c.input);
  }
}

}  // namespace
}  // namespace velmora
