#include "runtime/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "runtime/text_case.h"

namespace velmora {
namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;

// Owns a file descriptor opened for reading.
class InputFile {
 public:
  explicit InputFile(const std::filesystem::path& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw file_error(path_, FileAction::open_for_reading, errno);
    struct stat info {};
    if (::fstat(fd_, &info) != 0) throw fail(FileAction::read);
    if (S_ISDIR(info.st_mode)) throw file_error(path_, FileAction::open_for_reading, EISDIR);
    size_ = static_cast<std::uint64_t>(info.st_size);
  }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile() { ::close(fd_); }

  std::uint64_t size() const { return size_; }

  // Reads up to buffer.size() bytes; returns the count, 0 at the end.
  std::size_t read(std::vector<char>& buffer) {
    for (;;) {
      const ssize_t got = ::read(fd_, buffer.data(), buffer.size());
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) throw fail(FileAction::read);
    }
  }

  void rewind() {
    if (::lseek(fd_, 0, SEEK_SET) != 0) throw fail(FileAction::read);
  }

 private:
  RuntimeError fail(FileAction action) const { return file_error(path_, action, errno); }

  std::filesystem::path path_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

// Windows-1251 decoding tables: each byte as it is, and lower-cased.
const std::array<char16_t, 256>& cp1251_as_is() {
  static const std::array<char16_t, 256> table = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = cp1251_to_utf16(static_cast<unsigned char>(b));
    return t;
  }();
  return table;
}

const std::array<char16_t, 256>& cp1251_lowered() {
  static const std::array<char16_t, 256> table = [] {
    std::array<char16_t, 256> t = cp1251_as_is();
    for (char16_t& c : t) c = lower_char(c);
    return t;
  }();
  return table;
}

TextEncoding detect(InputFile& file, std::vector<char>& buffer) {
  Utf8Validator validator;
  bool first = true;
  while (const std::size_t got = file.read(buffer)) {
    const std::string_view bytes(buffer.data(), got);
    if (first && bytes.starts_with(kUtf8Bom)) return TextEncoding::utf8;
    first = false;
    if (!validator.feed(bytes)) return TextEncoding::windows1251;
  }
  return validator.finish() && validator.saw_non_ascii() ? TextEncoding::utf8
                                                         : TextEncoding::windows1251;
}

}  // namespace

TextEncoding detect_file_encoding(const std::filesystem::path& path) {
  InputFile file(path);
  std::vector<char> buffer(kChunkBytes);
  return detect(file, buffer);
}

void read_text_file(const std::filesystem::path& path,
                    const std::function<void(std::u16string_view)>& on_text,
                    const ReadProgress& on_progress, LetterCase letter_case,
                    const std::function<void()>& on_restart) {
  InputFile file(path);
  std::vector<char> buffer(kChunkBytes);
  const bool lower = letter_case == LetterCase::lower;
  std::uint64_t bytes_read = 0;
  const auto report_progress = [&](std::size_t got) {
    bytes_read += got;
    if (on_progress) on_progress(bytes_read, file.size());
  };

  // A consumer that can start again is given the text in one pass: read as
  // UTF-8 at once and, should a byte turn out not to be UTF-8, start again
  // as Windows-1251. Real Windows-1251 Russian text shows that in its first
  // chunk, before anything was handed on. Otherwise the whole file is
  // checked first.
  bool speculative = false;
  TextEncoding encoding;
  if (on_restart) {
    const std::size_t got = file.read(buffer);
    speculative = !std::string_view(buffer.data(), got).starts_with(kUtf8Bom);
    encoding = TextEncoding::utf8;
  } else {
    encoding = detect(file, buffer);
  }
  file.rewind();

  if (encoding == TextEncoding::utf8) {
    std::u16string text;
    Utf8Decoder decoder;
    bool handed_on = false;
    bool first = true;
    const auto hand_on = [&]() {
      // The decoder writes a surrogate pair whole, so lowering chunk by
      // chunk never splits one.
      if (lower) lower_in_place(text);
      if (!text.empty()) {
        on_text(text);
        handed_on = true;
      }
    };
    while (const std::size_t got = file.read(buffer)) {
      std::string_view bytes(buffer.data(), got);
      if (first && bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
      first = false;
      text.clear();
      decoder.decode(bytes, text);
      if (speculative && decoder.malformed()) break;
      hand_on();
      report_progress(got);
    }
    if (!(speculative && decoder.malformed())) {
      text.clear();
      decoder.finish(text);
      if (!(speculative && decoder.malformed())) {
        hand_on();
        return;
      }
    }
    // Not UTF-8 after all.
    if (handed_on) on_restart();
    file.rewind();
    bytes_read = 0;
  }

  const std::array<char16_t, 256>& cp1251 = lower ? cp1251_lowered() : cp1251_as_is();
  const auto decoded = std::make_unique_for_overwrite<char16_t[]>(kChunkBytes);
  while (const std::size_t got = file.read(buffer)) {
    for (std::size_t i = 0; i < got; ++i) decoded[i] = cp1251[static_cast<unsigned char>(buffer[i])];
    on_text(std::u16string_view(decoded.get(), got));
    report_progress(got);
  }
}

}  // namespace velmora
