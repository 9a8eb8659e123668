#include "core/settings.h"

#include "runtime/text_case.h"

namespace velmora {

DictFolder find_dict_folder(const std::filesystem::path& executable_folder,
                            const DirectoryProbe& probe) {
  constexpr char kSeparator = std::filesystem::path::preferred_separator;
  std::string folder = executable_folder.string();
  if (folder.empty() || folder.back() != kSeparator) folder.push_back(kSeparator);
  const std::string dict_folder = folder + "dict" + kSeparator;

  DictFolder result;
  if (probe(dict_folder).empty()) {
    result.message = "Папка " + dict_folder +
                     " со словарями не найдена или пуста. Создайте папку и поместите туда словарь.";
    return result;
  }
  result.found = true;
  result.dict_path = dict_folder;
  return result;
}

std::u16string target_from_word_box(std::u16string_view text) {
  return to_lower(trim_blanks(text));
}

}  // namespace velmora
