#include "cli/cli.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "cli/build_command.h"
#include "core/rhyme_search.h"
#include "core/settings.h"
#include "core/word_store.h"
#include "runtime/directory.h"
#include "runtime/runtime_error.h"
#include "runtime/text_codec.h"

namespace velmora {
namespace {

constexpr const char* kUsage =
    "Использование: velmora-cli rhymes СЛОВО [--letters 2|3|4] [--dict ПУТЬ]...\n"
    "               velmora-cli build ТЕКСТ [--dict ПАПКА]\n"
    "               velmora-cli --help\n";

constexpr const char* kHelp =
    "Велмора ищет рифмы: все слова словарей длиной от 3 до 10 букв, у которых\n"
    "последние 2, 3 или 4 буквы те же, что у СЛОВА.\n"
    "\n"
    "  rhymes СЛОВО     рифмы к СЛОВУ, по одной в строке, по алфавиту, каждая\n"
    "                   один раз\n"
    "    --letters N    сколько последних букв должны совпасть: 2, 3 или 4\n"
    "                   (по умолчанию 3)\n"
    "    --dict ПУТЬ    файл словаря или папка, все файлы которой словари;\n"
    "                   можно повторять, словари загружаются по порядку. Без\n"
    "                   него берётся папка dict рядом с программой\n"
    "  build ТЕКСТ      новый словарь из различных русских слов ТЕКСТА длиной\n"
    "                   от четырёх букв\n"
    "    --dict ПАПКА   куда записать словарь (по умолчанию папка dict рядом с\n"
    "                   программой)\n";

struct UsageError {
  std::string what;
};

struct RhymesRequest {
  std::string word;
  std::int16_t letters = 3;
  std::vector<std::string> dict_paths;
};

RhymesRequest parse_rhymes(const std::vector<std::string>& args) {
  RhymesRequest request;
  std::optional<std::string> word;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--letters" || arg == "--dict") {
      if (i + 1 == args.size()) throw UsageError{arg + ": нужно значение"};
      const std::string& value = args[++i];
      if (arg == "--dict") {
        request.dict_paths.push_back(value);
        continue;
      }
      int letters = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), letters);
      if (error != std::errc() || end != value.data() + value.size() || letters < 2 ||
          letters > 4) {
        throw UsageError{"--letters: 2, 3 или 4"};
      }
      request.letters = static_cast<std::int16_t>(letters);
    } else if (arg.starts_with("--") && arg.size() > 2) {
      throw UsageError{"неизвестный параметр " + arg};
    } else if (word) {
      throw UsageError{"нужно одно слово"};
    } else {
      word = arg;
    }
  }
  if (!word) throw UsageError{"rhymes: нужно СЛОВО"};
  request.word = *word;
  return request;
}

// The files a --dict path stands for: the folder's ordinary files by name,
// or the path itself.
std::vector<std::filesystem::path> files_of(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_directory(path, error)) return {path};
  std::vector<std::filesystem::path> files;
  for (const std::string& name : list_ordinary_files(path)) files.push_back(path / name);
  return files;
}

int run_rhymes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const CliEnvironment& environment) {
  const RhymesRequest request = parse_rhymes(args);

  std::vector<std::filesystem::path> files;
  if (request.dict_paths.empty()) {
    const DictFolder folder = find_dict_folder(environment.executable_folder, probe_first_file);
    if (!folder.found) {
      err << folder.message << '\n';
      return 1;
    }
    files = files_of(folder.dict_path);
  } else {
    for (const std::string& path : request.dict_paths) {
      for (auto& file : files_of(path)) files.push_back(std::move(file));
    }
  }

  WordStore store;
  for (const auto& file : files) store.add_file(file);
  if (store.count() == 0) {
    err << "Сначала загрузите словарь\n";
    return 1;
  }

  SearchSettings settings;
  settings.target_word = target_from_word_box(from_utf8(request.word));
  settings.rhyme_len = request.letters;
  std::string text;
  for (std::u16string_view word : rhyme_list(store, settings)) {
    text += to_utf8(word);
    text += '\n';
  }
  out << text;
  return 0;
}

int run_build(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const CliEnvironment& environment) {
  const bool folder_given = std::any_of(args.begin(), args.end(), [](const std::string& arg) {
    return arg == "--dict" || arg.starts_with("--dict=");
  });
  std::filesystem::path default_folder;
  if (!folder_given) {
    const DictFolder folder = find_dict_folder(environment.executable_folder, probe_first_file);
    if (!folder.found) {
      err << folder.message << '\n';
      return 1;
    }
    default_folder = folder.dict_path;
  }
  return run_build_command(args, default_folder, out, err, environment.err_is_terminal);
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const CliEnvironment& environment) {
  try {
    if (args.empty()) throw UsageError{"нужна команда"};
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
      out << kUsage << '\n' << kHelp;
      return 0;
    }
    if (command == "rhymes") return run_rhymes(rest, out, err, environment);
    if (command == "build") return run_build(rest, out, err, environment);
    throw UsageError{"неизвестная команда " + command};
  } catch (const UsageError& error) {
    err << "velmora-cli: " << error.what << '\n' << kUsage;
    return 2;
  } catch (const RuntimeError& error) {
    err << "velmora-cli: " << describe(error) << '\n';
    return 1;
  } catch (const std::bad_alloc&) {
    err << "velmora-cli: " << describe(RuntimeError(kOutOfMemory, "недостаточно памяти")) << '\n';
    return 1;
  }
}

}  // namespace velmora
