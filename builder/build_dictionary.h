#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "builder/word_collector.h"
#include "runtime/text_file.h"
#include "runtime/timer_text.h"

namespace velmora {

struct BuildResult {
  std::int64_t word_count = 0;  // distinct words written
  std::string file_name;        // the new file's name without folder (UTF-8)
};

// Reads a source text (Windows-1251, or UTF-8 as read_text_file detects it)
// as a stream of delimited fields and collects its distinct Russian words,
// as WordCollector defines them. on_progress is called after every chunk
// read, with the bytes read so far and the file's size. Throws RuntimeError
// when the text cannot be opened or read.
WordCollector collect_words(const std::filesystem::path& source,
                            const ReadProgress& on_progress = {});

// "dict_" + the timer text of the clock's current reading + ".txt".
std::string dictionary_file_name(const Clock& clock);

// Builds a new dictionary from a source text: collect_words, then, once the
// whole text has been read, names the file by dictionary_file_name(clock) and
// writes the distinct words into dict_folder, each in Windows-1251 followed
// by CR LF, in the order of first occurrence. A file of the same name is
// replaced. The file appears whole or not at all (OutputFile).
//
// Throws RuntimeError, leaving no new file behind, when dict_folder is
// missing, is not a folder or cannot be written to (checked before the text
// is read), when the text cannot be read, or when the file cannot be written.
BuildResult build_dictionary(const std::filesystem::path& source,
                             const std::filesystem::path& dict_folder, const Clock& clock,
                             const ReadProgress& on_progress = {});

// The report of a finished build: "1523 слов сохранено в dict_45296,55.txt".
std::string build_report(const BuildResult& result);

}  // namespace velmora
