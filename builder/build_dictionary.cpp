#include "builder/build_dictionary.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/field_parser.h"
#include "runtime/output_file.h"
#include "runtime/runtime_error.h"

namespace velmora {
namespace {

// Fails early, before a long text is read for nothing, when no file could be
// created in the folder.
void check_dictionary_folder(const std::filesystem::path& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    throw file_error(folder, FileAction::create, errno);
  }
  if (!S_ISDIR(info.st_mode)) throw file_error(folder, FileAction::create, ENOTDIR);
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    throw file_error(folder, FileAction::create, errno);
  }
}

}  // namespace

WordCollector collect_words(const std::filesystem::path& source, const ReadProgress& on_progress) {
  WordCollector collector;
  FieldParser parser;
  read_text_file(
      source, [&](std::u16string_view chunk) { parser.feed(chunk, collector); }, on_progress,
      LetterCase::as_is, [&] {
        collector = WordCollector();
        parser = FieldParser();
      });
  parser.finish(collector);
  return collector;
}

std::string dictionary_file_name(const Clock& clock) {
  return "dict_" + timer_text(clock) + ".txt";
}

BuildResult build_dictionary(const std::filesystem::path& source,
                             const std::filesystem::path& dict_folder, const Clock& clock,
                             const ReadProgress& on_progress) {
  check_dictionary_folder(dict_folder);
  const WordCollector collector = collect_words(source, on_progress);
  BuildResult result;
  result.word_count = collector.word_count();
  result.file_name = dictionary_file_name(clock);
  write_file_safely(dict_folder / result.file_name, collector.dictionary_bytes());
  return result;
}

std::string build_report(const BuildResult& result) {
  return std::to_string(result.word_count) + " слов сохранено в " + result.file_name;
}

}  // namespace velmora
