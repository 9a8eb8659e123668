#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/field_parser.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::CollectFields;

std::vector<std::u16string> parse_in_chunks(std::u16string_view text,
                                            const std::vector<std::size_t>& cuts) {
  CollectFields sink;
  FieldParser parser;
  std::size_t at = 0;
  for (std::size_t cut : cuts) {
    parser.feed(text.substr(at, cut - at), sink);
    at = cut;
  }
  parser.feed(text.substr(at), sink);
  parser.finish(sink);
  return sink.fields;
}

struct ParseCase {
  const char* name;
  std::u16string text;
  std::vector<std::u16string> fields;
};

class FieldParserCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(FieldParserCases, GivesTheFieldsInAnyChunking) {
  const ParseCase& c = GetParam();
  EXPECT_EQ(parse_in_chunks(c.text, {}), c.fields);
  // Every split into two chunks, and one character at a time.
  for (std::size_t split = 0; split <= c.text.size(); ++split) {
    EXPECT_EQ(parse_in_chunks(c.text, {split}), c.fields) << "split at " << split;
  }
  std::vector<std::size_t> every;
  for (std::size_t i = 1; i < c.text.size(); ++i) every.push_back(i);
  EXPECT_EQ(parse_in_chunks(c.text, every), c.fields) << "one character at a time";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldParserCases,
    ::testing::Values(
        ParseCase{"empty_text", u"", {}},
        ParseCase{"one_line_crlf", u"кот\r\n", {u"кот"}},
        ParseCase{"lf_and_cr_line_ends", u"а\nб\rв\r\nг", {u"а", u"б", u"в", u"г"}},
        ParseCase{"comma_splits", u"кот,пёс\r\n", {u"кот", u"пёс"}},
        ParseCase{"leading_blanks_skipped", u"   Кот  \r\n", {u"Кот  "}},
        ParseCase{"quoted_keeps_comma", u"\"кот,пёс\"\r\n", {u"кот,пёс"}},
        ParseCase{"quoted_after_blanks", u"  \" кот \",x", {u" кот ", u"x"}},
        ParseCase{"blank_line_is_empty_field", u"а\r\n\r\nб\r\n", {u"а", u"", u"б"}},
        ParseCase{"blanks_only_line", u"   \r\n", {u""}},
        ParseCase{"cr_cr_is_two_lines", u"а\r\rб", {u"а", u"", u"б"}},
        ParseCase{"lf_cr_is_two_line_ends", u"а\n\rб", {u"а", u"", u"б"}},
        ParseCase{"trailing_comma_gives_empty_field", u"а,б,\r\nв", {u"а", u"б", u"", u"в"}},
        ParseCase{"comma_alone", u",", {u"", u""}},
        ParseCase{"last_line_without_line_end", u"а\r\nб", {u"а", u"б"}},
        ParseCase{"unclosed_quote_runs_to_the_end", u"а\r\n\"б,в\r\nг", {u"а", u"б,в\r\nг"}},
        ParseCase{"quote_spans_lines", u"\"а\r\nб\",в", {u"а\r\nб", u"в"}},
        ParseCase{"text_after_closing_quote_kept", u"\"Стой,\" он сказал\r\nдалее",
                  {u"Стой, он сказал", u"далее"}},
        ParseCase{"quote_inside_field_is_literal", u"a\"b\",c", {u"a\"b\"", u"c"}},
        ParseCase{"empty_quotes", u"\"\"\r\n", {u""}},
        ParseCase{"tab_is_not_a_blank", u"\tкот", {u"\tкот"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora
