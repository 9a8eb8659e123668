#include <gtest/gtest.h>

#include "runtime/text_case.h"
#include "runtime/text_codec.h"

namespace velmora {
namespace {

TEST(LowerCase, MapsTheWholeWindows1251Repertoire) {
  // Upper-case letters of the code page and their lower-case forms.
  const std::u16string upper = u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ ЂЃЉЊЌЋЏЎЈҐЄЇІЅ ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const std::u16string lower = u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя ђѓљњќћџўјґєїіѕ abcdefghijklmnopqrstuvwxyz";
  EXPECT_EQ(to_lower(upper), lower);
  EXPECT_EQ(to_lower(lower), lower);
  // Every other character of the code page has no lower-case form of its own.
  for (int byte = 0; byte < 256; ++byte) {
    const char16_t c = cp1251_to_utf16(static_cast<unsigned char>(byte));
    if (upper.find(c) == std::u16string::npos) {
      EXPECT_EQ(lower_char(c), c) << "byte " << byte;
    }
  }
}

TEST(LowerCase, UsesSimpleMappingsBeyondTheCodePage) {
  EXPECT_EQ(to_lower(u"ΣΟΦΙΑ Ǆ İ"), u"σοφια ǆ i");     // one code unit each
  EXPECT_EQ(to_lower(u"\U00010400x"), u"\U00010428x");  // Deseret: a surrogate pair
  EXPECT_EQ(to_lower(std::u16string(1, char16_t{0xD801})), std::u16string(1, char16_t{0xD801}));
}

TEST(TrimBlanks, RemovesOnlyTheSpaceCharacter) {
  struct Case {
    std::u16string_view in, out;
  };
  const Case cases[] = {
      {u"", u""},           {u"   ", u""},          {u" a ", u"a"},
      {u"  два  слова ", u"два  слова"},            {u"\tслово\t", u"\tслово\t"},
      {u"\u00A0слово", u"\u00A0слово"},
  };
  for (const Case& c : cases) EXPECT_EQ(trim_blanks(c.in), c.out);
}

}  // namespace
}  // namespace velmora
