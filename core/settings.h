#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace velmora {

// The bounds of a candidate's length. They are fixed for the whole run: the
// window's two length boxes are shown but never read.
inline constexpr std::int16_t kMinLen = 3;
inline constexpr std::int16_t kMaxLen = 10;

// What a search looks for. The window and the command line change
// target_word and rhyme_len only; min_len and max_len stay kMinLen and
// kMaxLen, the only bounds the word store keeps entries for.
struct SearchSettings {
  std::u16string target_word = u"слово";  // already trimmed and lower-cased
  std::int16_t rhyme_len = 3;              // final characters that must agree
  std::int16_t min_len = kMinLen;
  std::int16_t max_len = kMaxLen;
};

// The directory probe: see probe_first_file in runtime/directory.h.
using DirectoryProbe = std::function<std::string(const std::string& path)>;

// The outcome of the start-up search for the dictionary folder.
struct DictFolder {
  bool found = false;
  std::string dict_path;  // the folder, ending in a separator (when found)
  std::string message;    // what to tell the user (when not found)
};

// Finds the folder "dict" beside the executable. It is found when the probe
// reports at least one ordinary file in it; otherwise the result carries the
// message that the program shows before it ends.
DictFolder find_dict_folder(const std::filesystem::path& executable_folder,
                            const DirectoryProbe& probe);

// The word box's text as a search target: trimmed of blanks, lower-cased.
std::u16string target_from_word_box(std::u16string_view text);

// Option buttons 0, 1, 2 read 4, 3 and 2 letters.
inline std::int16_t rhyme_len_for_option(int index) {
  return static_cast<std::int16_t>(4 - index);
}

}  // namespace velmora
