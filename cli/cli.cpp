#include "cli/cli.h"

#include <charconv>
#include <optional>

#include "core/rhyme_search.h"
#include "core/settings.h"
#include "core/word_store.h"
#include "runtime/directory.h"
#include "runtime/runtime_error.h"
#include "runtime/text_codec.h"

namespace velmora {
namespace {

constexpr const char* kUsage =
    "usage: velmora-cli rhymes WORD [--letters 2|3|4] [--dict PATH]...\n"
    "       velmora-cli build TEXT [--dict DIR]\n"
    "       velmora-cli --help\n";

constexpr const char* kHelp =
    "Velmora finds Russian rhymes: every dictionary word of 3 to 10 letters\n"
    "that ends in the same last 2, 3 or 4 letters as WORD.\n"
    "\n"
    "  rhymes WORD     print the rhymes of WORD, one a line, in Russian\n"
    "                  alphabetical order, each once\n"
    "    --letters N   how many final letters must agree: 2, 3 or 4 (default 3)\n"
    "    --dict PATH   a dictionary file, or a folder whose files are all\n"
    "                  dictionaries; repeat to load several, in order. Without\n"
    "                  it, the folder \"dict\" beside the program is used\n"
    "  build TEXT      make a new dictionary of the distinct Russian words of\n"
    "                  four or more letters in TEXT\n"
    "    --dict DIR    the folder to write it to (default: \"dict\" beside the\n"
    "                  program)\n";

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
      if (i + 1 == args.size()) throw UsageError{arg + " needs a value"};
      const std::string& value = args[++i];
      if (arg == "--dict") {
        request.dict_paths.push_back(value);
        continue;
      }
      int letters = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), letters);
      if (error != std::errc() || end != value.data() + value.size() || letters < 2 ||
          letters > 4) {
        throw UsageError{"--letters takes 2, 3 or 4"};
      }
      request.letters = static_cast<std::int16_t>(letters);
    } else if (arg.starts_with("--") && arg.size() > 2) {
      throw UsageError{"unknown option " + arg};
    } else if (word) {
      throw UsageError{"one word only"};
    } else {
      word = arg;
    }
  }
  if (!word) throw UsageError{"rhymes needs a WORD"};
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

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const CliEnvironment& environment) {
  try {
    if (args.empty()) throw UsageError{"a command is needed"};
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
      out << kUsage << '\n' << kHelp;
      return 0;
    }
    if (command == "rhymes") return run_rhymes(rest, out, err, environment);
    throw UsageError{"unknown command " + command};
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
