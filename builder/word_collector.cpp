#include "builder/word_collector.h"

#include <array>
#include <cstring>

#include "builder/text_cleaning.h"
#include "builder/word_extraction.h"
#include "runtime/runtime_error.h"
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
    // Byte by byte: a memcpy of a variable count would be a library call.
    std::uint64_t v = 0;
    for (std::size_t k = 0; k < n; ++k) {
      v |= std::uint64_t{static_cast<unsigned char>(p[k])} << (8 * k);
    }
    h = mix(h ^ v ^ (std::uint64_t{n} << 59));
  }
  return h;
}

// Offsets take the low 40 bits of a slot (files up to 1 TiB), the hash tag
// the rest.
constexpr int kOffsetBits = 40;
constexpr std::uint64_t kOffsetMask = (std::uint64_t{1} << kOffsetBits) - 1;

std::uint64_t tag_of(std::uint64_t hash) { return hash & ~kOffsetMask; }

// The first 8 bytes of a word, little-endian, zero-padded when it is shorter.
std::uint64_t head_of(std::string_view word) {
  std::uint64_t head = 0;
  if (word.size() >= 8) {
    std::memcpy(&head, word.data(), 8);
  } else {
    for (std::size_t k = 0; k < word.size(); ++k) {
      head |= std::uint64_t{static_cast<unsigned char>(word[k])} << (8 * k);
    }
  }
  return head;
}

}  // namespace

WordCollector::WordCollector() : slots_(kInitialSlots) {}

void WordCollector::text(std::u16string_view piece) {
  if (word_.size() < word_length_ + piece.size()) word_.resize(word_length_ + piece.size());
  char* const word = word_.data();
  std::size_t length = word_length_;
  for (const char16_t unit : piece) {
    const unsigned index = static_cast<unsigned>(unit) - 0x400u;
    const unsigned char byte = index < kLetterBytes.size() ? kLetterBytes[index] : 0;
    if (byte != 0) {
      word[length++] = static_cast<char>(byte);
    } else if (length != 0) {
      if (length >= kMinWordLength) insert(std::string_view(word, length));
      length = 0;
    }
  }
  word_length_ = length;
}

void WordCollector::end_field() { end_word(); }

void WordCollector::end_word() {
  if (word_length_ >= kMinWordLength) insert(std::string_view(word_.data(), word_length_));
  word_length_ = 0;
}

void WordCollector::insert(std::string_view word) {
  ++text_count_;
  const std::uint64_t head = head_of(word);
  const std::uint64_t hash = hash_bytes(word);
  const std::uint64_t tag = tag_of(hash);
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = static_cast<std::size_t>(hash) & mask;
  for (;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.where == 0) break;
    if (slot.head != head || tag_of(slot.where) != tag) continue;
    // Equal heads of a word under 8 letters mean equal words: the zero
    // padding fixes the length. A longer word is compared on in image_,
    // where the stored word ends at its CR, which no word holds.
    if (word.size() < 8) return;
    const std::size_t offset = static_cast<std::size_t>((slot.where & kOffsetMask) - 1);
    if (image_.size() - offset > word.size() &&
        std::memcmp(image_.data() + offset + 8, word.data() + 8, word.size() - 8) == 0 &&
        image_[offset + word.size()] == '\r') {
      return;
    }
  }
  if (image_.size() + 1 > kOffsetMask) {
    throw RuntimeError(kOutOfMemory, "Словарь больше 1 ТБ не помещается в память");
  }
  slots_[i] = Slot{head, tag | (image_.size() + 1)};
  image_ += word;
  image_ += kLineEnd;
  ++word_count_;
  if (static_cast<std::size_t>(word_count_) * 2 > slots_.size()) grow();
}

void WordCollector::grow() {
  std::vector<Slot> bigger(slots_.size() * 2);
  const std::size_t mask = bigger.size() - 1;
  for (const Slot& slot : slots_) {
    if (slot.where == 0) continue;
    const std::size_t offset = static_cast<std::size_t>((slot.where & kOffsetMask) - 1);
    const std::size_t length = image_.find('\r', offset) - offset;
    std::size_t i =
        static_cast<std::size_t>(hash_bytes(std::string_view(image_).substr(offset, length))) &
        mask;
    while (bigger[i].where != 0) i = (i + 1) & mask;
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
