#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "runtime/text_codec.h"

namespace velmora {

// Called now and then while a file is read, with the bytes read so far and
// the file's size.
using ReadProgress = std::function<void(std::uint64_t bytes_read, std::uint64_t total_bytes)>;

enum class LetterCase { as_is, lower };

// Reads a text file as a stream: finds its encoding (see detect_encoding; the
// check reads ahead only until the first byte that is not UTF-8), then hands
// the decoded text to on_text in chunks of bounded size, so memory does not
// grow with the file. A UTF-8 byte-order mark is dropped. With
// LetterCase::lower the text comes lower-cased (as to_lower would), at no
// extra cost for Windows-1251. Throws RuntimeError
// naming the file when it cannot be opened or read; on_text may already have
// seen part of the text by then.
//
// A consumer that can forget what it was given passes on_restart: the file
// is then read once, as UTF-8 from the start, and should it turn out not to
// be UTF-8 after part of it was handed on, on_restart is called and the text
// comes again from the beginning, as Windows-1251. Without on_restart the
// encoding is settled by a first pass over the file.
void read_text_file(const std::filesystem::path& path,
                    const std::function<void(std::u16string_view)>& on_text,
                    const ReadProgress& on_progress = {},
                    LetterCase letter_case = LetterCase::as_is,
                    const std::function<void()>& on_restart = {});

// The encoding read_text_file would use for the file.
TextEncoding detect_file_encoding(const std::filesystem::path& path);

}  // namespace velmora
