#include "builder/word_collector.h"

#include <array>
#include <cstring>

#include "builder/text_cleaning.h"
#include "builder/word_extraction.h"
#include "runtime/text_codec.h"

namespace velmora {
namespace {

constexpr std::size_t kInitialSlots = 1024;
constexpr std::string_view kLineEnd = "\r\n";

// Windows-1251 byte of the lower-case form of the code units U+0400 to
// U+045F when that form is a Russian letter, 0 otherwise: Ё and ё give ё
// (0xB8), А–Я and а–я give а–я (0xE0–0xFF).
constexpr std::array<unsigned char, 0x60> make_letter_bytes() {
  std::array<unsigned char, 0x60> bytes{};
  for (unsigned i = 0; i < 0x60; ++i) {
    const auto unit = static_cast<char16_t>(0x400 + i);
    if (unit == u'\u0401' || unit == u'\u0451') {
      bytes[i] = 0xB8;
    } else if (unit >= u'\u0410' && unit <= u'\u042F') {
      bytes[i] = static_cast<unsigned char>(0xE0 + (unit - 0x410));
    } else if (unit >= u'\u0430' && unit <= u'\u044F') {
      bytes[i] = static_cast<unsigned char>(0xE0 + (unit - 0x430));
    }
  }
  return bytes;
}
constexpr std::array<unsigned char, 0x60> kLetterBytes = make_letter_bytes();

static_assert([] {
  for (unsigned i = 0; i < 0x60; ++i) {
    if ((kLetterBytes[i] != 0) != is_russian_letter(static_cast<char16_t>(0x400 + i))) return false;
  }
  return true;
}());

std::uint64_t mix(std::uint64_t x) {
  x ^= x >> 32;
  x *= 0xD6E8FEB86659FD93ULL;
  x ^= x >> 32;
  x *= 0xD6E8FEB86659FD93ULL;
  x ^= x >> 32;
  return x;
}

std::uint64_t hash_bytes(std::string_view bytes) {
  std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ bytes.size();
  const char* p = bytes.data();
  std::size_t n = bytes.size();
  while (n >= 8) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    h = mix(h ^ v);
    p += 8;
    n -= 8;
  }
  if (n > 0) {
    std::uint64_t v = 0;
    std::memcpy(&v, p, n);
    h = mix(h ^ v ^ (std::uint64_t{n} << 59));
  }
  return h;
}

}  // namespace

WordCollector::WordCollector() : slots_(kInitialSlots) {}

void WordCollector::text(std::u16string_view piece) {
  for (const char16_t unit : piece) {
    const unsigned index = static_cast<unsigned>(unit) - 0x400u;
    const unsigned char byte = index < kLetterBytes.size() ? kLetterBytes[index] : 0;
    if (byte != 0) {
      word_.push_back(static_cast<char>(byte));
    } else if (!word_.empty()) {
      end_word();
    }
  }
}

void WordCollector::end_field() {
  if (!word_.empty()) end_word();
}

void WordCollector::end_word() {
  if (word_.size() >= kMinWordLength) {
    ++text_count_;
    const std::uint64_t hash = hash_bytes(word_);
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = static_cast<std::size_t>(hash) & mask;
    for (;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.length == 0) break;
      if (slot.hash == hash && slot.length == word_.size() &&
          std::memcmp(image_.data() + slot.offset, word_.data(), word_.size()) == 0) {
        word_.clear();
        return;
      }
    }
    slots_[i] = Slot{image_.size(), word_.size(), hash};
    image_ += word_;
    image_ += kLineEnd;
    ++word_count_;
    if (static_cast<std::size_t>(word_count_) * 2 > slots_.size()) grow();
  }
  word_.clear();
}

void WordCollector::grow() {
  std::vector<Slot> bigger(slots_.size() * 2);
  const std::size_t mask = bigger.size() - 1;
  for (const Slot& slot : slots_) {
    if (slot.length == 0) continue;
    std::size_t i = static_cast<std::size_t>(slot.hash) & mask;
    while (bigger[i].length != 0) i = (i + 1) & mask;
    bigger[i] = slot;
  }
  slots_.swap(bigger);
}

std::vector<std::u16string> WordCollector::words() const {
  std::vector<std::u16string> result;
  result.reserve(static_cast<std::size_t>(word_count_));
  std::string_view rest = image_;
  while (!rest.empty()) {
    const std::size_t end = rest.find(kLineEnd);
    std::u16string word;
    append_cp1251_as_utf16(rest.substr(0, end), word);
    result.push_back(std::move(word));
    rest.remove_prefix(end + kLineEnd.size());
  }
  return result;
}

}  // namespace velmora
