#pragma once

#include <string_view>

namespace velmora {

// The delimited-field reader: cuts text into the fields that dictionaries and
// source texts are read as.
//
//  - A comma or a line end (CR LF, LF or CR) ends a field.
//  - Blanks (U+0020) before a field are skipped.
//  - A field that begins with a double quote runs to the next double quote,
//    keeps the commas and line ends inside, and does not include the quotes.
//    Text after the closing quote, up to the next comma or line end, is kept
//    as the rest of the same field, so «"Стой," он сказал» is one field
//    «Стой, он сказал»; no letter of a text is lost.
//  - A quote that is never closed runs to the end of the text.
//  - Every comma ends a field, so a line "а,б," holds three fields, the last
//    one empty; a blank line is one empty field.
//  - The last line needs no line end; the end of the text after a line end
//    adds no field.
//
// The parser is fed the text in chunks of any size (a CR LF may straddle two
// chunks) and streams each field to a sink in one or more pieces, so a field
// never has to be held whole. A sink has
//     void text(std::u16string_view piece);  // the next piece of the field
//     void end_field();                      // the field is complete
// Pieces are views into the chunk being fed and live only during the call.
class FieldParser {
 public:
  template <class Sink>
  void feed(std::u16string_view chunk, Sink& sink);

  // Ends the text: completes a field that is still open.
  template <class Sink>
  void finish(Sink& sink);

 private:
  enum class State { field_start, unquoted, quoted };

  State state_ = State::field_start;
  bool skip_lf_ = false;       // the last character was a CR ending a line
  bool line_started_ = false;  // the current line holds at least one character
};

template <class Sink>
void FieldParser::feed(std::u16string_view chunk, Sink& sink) {
  const std::size_t n = chunk.size();
  std::size_t i = 0;
  if (n > 0) line_started_ = true;
  if (skip_lf_ && n > 0) {
    skip_lf_ = false;
    if (chunk[0] == u'\n') {
      ++i;
      line_started_ = n > 1;
    }
  }
  while (i < n) {
    switch (state_) {
      case State::field_start: {
        const char16_t c = chunk[i];
        if (c == u' ') {
          ++i;
        } else if (c == u'"') {
          ++i;
          state_ = State::quoted;
        } else if (c == u',') {
          sink.end_field();
          ++i;
        } else if (c == u'\r' || c == u'\n') {
          sink.end_field();
          ++i;
          if (c == u'\r') {
            if (i == n) {
              skip_lf_ = true;
            } else if (chunk[i] == u'\n') {
              ++i;
            }
          }
          line_started_ = i < n;
        } else {
          state_ = State::unquoted;
        }
        break;
      }
      case State::unquoted: {
        const std::size_t start = i;
        while (i < n) {
          const char16_t c = chunk[i];
          if (c == u',' || c == u'\r' || c == u'\n') break;
          ++i;
        }
        if (i > start) sink.text(chunk.substr(start, i - start));
        if (i < n) state_ = State::field_start;  // the delimiter is handled there
        if (i < n) {
          // Hand the delimiter to field_start, which ends the field.
          continue;
        }
        break;
      }
      case State::quoted: {
        const std::size_t start = i;
        while (i < n && chunk[i] != u'"') ++i;
        if (i > start) sink.text(chunk.substr(start, i - start));
        if (i < n) {
          ++i;  // the closing quote
          state_ = State::unquoted;
        }
        break;
      }
    }
  }
}

template <class Sink>
void FieldParser::finish(Sink& sink) {
  if (state_ != State::field_start || line_started_) sink.end_field();
  state_ = State::field_start;
  line_started_ = false;
  skip_lf_ = false;
}

}  // namespace velmora
