#include <gtest/gtest.h>

#include <map>

#include "core/settings.h"

namespace velmora {
namespace {

// A probe over a fixed table of folder -> first file.
DirectoryProbe fake_probe(std::map<std::string, std::string> first_files,
                          std::vector<std::string>* probed = nullptr) {
  return [first_files = std::move(first_files), probed](const std::string& path) {
    if (probed) probed->push_back(path);
    const auto it = first_files.find(path);
    return it == first_files.end() ? std::string() : it->second;
  };
}

TEST(FindDictFolder, FindsTheDictFolderBesideTheExecutable) {
  struct Case {
    const char* executable_folder;
    const char* dict_folder;
  };
  const Case cases[] = {
      {"/opt/velmora", "/opt/velmora/dict/"},
      {"/opt/velmora/", "/opt/velmora/dict/"},
      {"/", "/dict/"},
      {"/home/поэт/стихи", "/home/поэт/стихи/dict/"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> probed;
    const DictFolder folder =
        find_dict_folder(c.executable_folder, fake_probe({{c.dict_folder, "any.name"}}, &probed));
    EXPECT_TRUE(folder.found) << c.executable_folder;
    EXPECT_EQ(folder.dict_path, c.dict_folder);
    EXPECT_EQ(probed, std::vector<std::string>{c.dict_folder});
  }
}

TEST(FindDictFolder, AMissingOrEmptyFolderGivesTheMessageWithTheFullPath) {
  const DictFolder folder = find_dict_folder("/opt/velmora", fake_probe({}));
  EXPECT_FALSE(folder.found);
  EXPECT_EQ(folder.message,
            "Папка /opt/velmora/dict/ со словарями не найдена или пуста. Создайте папку и "
            "поместите туда словарь.");
}

TEST(SearchSettings, StartWithSlovoThreeLettersAndThreeToTen) {
  const SearchSettings settings;
  EXPECT_EQ(settings.target_word, u"слово");
  EXPECT_EQ(settings.rhyme_len, 3);
  EXPECT_EQ(settings.min_len, 3);
  EXPECT_EQ(settings.max_len, 10);
}

TEST(SearchSettings, WordBoxTextIsTrimmedOfBlanksAndLowerCased) {
  struct Case {
    std::u16string_view box, target;
  };
  const Case cases[] = {
      {u"  СЛОВО  ", u"слово"}, {u"Ёлка", u"ёлка"}, {u"", u""},
      {u"   ", u""},            {u"\tкот", u"\tкот"}, {u" два слова ", u"два слова"},
  };
  for (const Case& c : cases) EXPECT_EQ(target_from_word_box(c.box), c.target);
}

TEST(SearchSettings, OptionButtonsReadFourThreeAndTwoLetters) {
  EXPECT_EQ(rhyme_len_for_option(0), 4);
  EXPECT_EQ(rhyme_len_for_option(1), 3);
  EXPECT_EQ(rhyme_len_for_option(2), 2);
}

}  // namespace
}  // namespace velmora
