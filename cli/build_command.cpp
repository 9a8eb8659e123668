#include "cli/build_command.h"

#include <new>
#include <optional>

#include "builder/build_dictionary.h"
#include "runtime/runtime_error.h"
#include "runtime/timer_text.h"

namespace velmora {
namespace {

constexpr const char* kUsage = "Использование: velmora-cli build ТЕКСТ [--dict ПАПКА]\n";

struct BuildArguments {
  std::filesystem::path text;
  std::optional<std::filesystem::path> dict_folder;
};

// Returns nothing, after printing the reason, when the arguments are wrong.
std::optional<BuildArguments> parse_arguments(const std::vector<std::string>& args,
                                              std::ostream& err) {
  BuildArguments parsed;
  bool have_text = false;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::optional<std::string> folder;
    if (!options_ended && arg == "--") {
      options_ended = true;
      continue;
    }
    if (!options_ended && arg == "--dict") {
      if (i + 1 == args.size()) {
        err << "velmora-cli build: после --dict нужна папка\n" << kUsage;
        return std::nullopt;
      }
      folder = args[++i];
    } else if (!options_ended && arg.starts_with("--dict=")) {
      folder = arg.substr(7);
    } else if (!options_ended && arg.size() > 1 && arg[0] == '-') {
      err << "velmora-cli build: неизвестный параметр «" << arg << "»\n" << kUsage;
      return std::nullopt;
    }
    if (folder) {
      if (folder->empty() || parsed.dict_folder) {
        err << "velmora-cli build: папку словарей нужно указать один раз и непустой\n" << kUsage;
        return std::nullopt;
      }
      parsed.dict_folder = std::move(*folder);
      continue;
    }
    if (have_text || arg.empty()) {
      err << "velmora-cli build: нужен ровно один текстовый файл\n" << kUsage;
      return std::nullopt;
    }
    parsed.text = arg;
    have_text = true;
  }
  if (!have_text) {
    err << "velmora-cli build: не указан текстовый файл\n" << kUsage;
    return std::nullopt;
  }
  return parsed;
}

// Rewrites one line of err with the reading progress, each time the whole
// percentage changes.
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& err) : err_(err) {}

  void update(std::uint64_t bytes_read, std::uint64_t total) {
    if (total <= kBuildProgressThresholdBytes) return;
    const int percent = static_cast<int>(bytes_read * 100 / total);
    if (percent == last_percent_) return;
    last_percent_ = percent;
    err_ << "\rПрочитано " << bytes_read << " из " << total << " байт (" << percent << "%)"
         << std::flush;
  }

  // Ends the progress line, if one was shown.
  void close() {
    if (last_percent_ >= 0) err_ << '\n';
    last_percent_ = -1;
  }

 private:
  std::ostream& err_;
  int last_percent_ = -1;
};

}  // namespace

int run_build_command(const std::vector<std::string>& args,
                      const std::filesystem::path& default_dict_folder, std::ostream& out,
                      std::ostream& err, bool err_is_terminal) {
  const std::optional<BuildArguments> parsed = parse_arguments(args, err);
  if (!parsed) return 2;
  const std::filesystem::path folder = parsed->dict_folder.value_or(default_dict_folder);
  if (folder.empty()) {
    err << "velmora-cli: папка словарей не найдена; укажите её параметром --dict\n";
    return 1;
  }

  ProgressLine progress(err);
  ReadProgress on_progress;
  if (err_is_terminal) {
    on_progress = [&progress](std::uint64_t bytes_read, std::uint64_t total) {
      progress.update(bytes_read, total);
    };
  }
  try {
    const SystemClock clock;
    const BuildResult result = build_dictionary(parsed->text, folder, clock, on_progress);
    progress.close();
    out << build_report(result) << '\n' << std::flush;
    return 0;
  } catch (const RuntimeError& error) {
    progress.close();
    err << "velmora-cli: " << describe(error) << '\n';
  } catch (const std::bad_alloc&) {
    progress.close();
    err << "velmora-cli: " << describe(RuntimeError(kOutOfMemory, "недостаточно памяти")) << '\n';
  }
  return 1;
}

}  // namespace velmora
