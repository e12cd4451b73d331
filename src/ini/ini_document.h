#pragma once
// An INI file held in memory with the private-profile semantics the radio's
// data files rely on: names match without regard to case, writes create or
// replace one entry in place and keep every other line as it was.
// Texts are UTF-8 here; the file on disk is GBK, or UTF-8 when it starts
// with a byte-order mark or is valid UTF-8 throughout with non-ASCII text.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io_status.h"

namespace kavir {

class IniDocument {
 public:
  enum class Encoding { Gbk, Utf8Bom, Utf8 };

  IniDocument() = default;

  // Parses any bytes without failing: binary junk, NUL bytes, CR/LF mixtures,
  // a missing final newline and very long lines are all taken in.
  static IniDocument Parse(std::string_view bytes);
  // The file's bytes, in the document's encoding, lines ended with CR LF
  // (a line read with a bare LF keeps its LF).
  std::string Serialize() const;

  // Value of section/key, or nullopt when section or key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // Private-profile read: the default when missing; otherwise at most
  // buffer_size - 1 GBK bytes of the value, never half a character.
  std::string GetString(std::string_view section, std::string_view key, std::string_view default_text,
                        std::size_t buffer_size) const;
  // Private-profile integer read: the leading decimal value (leading blanks,
  // optional sign); no digits give 0; a missing entry gives the default.
  int GetInt(std::string_view section, std::string_view key, int default_value) const;
  // Creates section and entry as needed; replaces an existing entry in place.
  void SetString(std::string_view section, std::string_view key, std::string_view value);

  bool HasSection(std::string_view section) const;
  // Keys of a section in file order (empty when the section is missing).
  std::vector<std::string> Keys(std::string_view section) const;

  Encoding encoding() const { return encoding_; }
  void set_encoding(Encoding e) { encoding_ = e; }
  // The first line (from 1) whose bytes neither UTF-8 nor GBK reads, in a
  // file that is neither throughout; 0 when the file is clean.
  int undecodable_line() const { return undecodable_line_; }
  // Entries written with text that came from such bytes: a save would not
  // give the bytes back (WriteIniFile refuses it).
  const std::vector<std::string>& unfaithful_keys() const { return unfaithful_keys_; }

 private:
  enum class LineKind : unsigned char { Other, Section, Entry };
  // A piece of text_. Lines, names and values are kept in one buffer so a
  // document of many lines costs a few allocations, not a few per line.
  struct Span {
    std::size_t begin = 0, size = 0;
  };
  struct Line {
    Span raw;    // bytes as read, in the file's encoding, without the end
    Span name;   // section name or key (UTF-8, trimmed)
    Span value;  // entry value (UTF-8, trimmed)
    LineKind kind = LineKind::Other;
    unsigned char eol = 0;  // "", "\r\n", "\n" or "\r" (kLineEnds)
  };
  // Positions found by name without regard to case: open addressing over
  // position + 1 (0 is a free slot), the first of equal names kept.
  struct NameIndex {
    std::vector<std::size_t> table;
    std::size_t count = 0;
  };
  // A header and the lines up to the next one (the first block holds what
  // comes before any header). An insertion moves lines of its own block
  // only, so a save of many new keys stays linear in the file's size.
  struct Block {
    std::vector<Line> lines;
    // Entry lines by key, for the first block of a section name.
    mutable NameIndex entries;
  };
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  std::string_view Text(Span s) const { return std::string_view(text_).substr(s.begin, s.size); }
  std::string_view Name(const Line& l) const { return Text(l.name); }
  // Appends to text_; the caller's text must not lie in text_.
  Span Keep(std::string_view s);
  void BuildIndex() const;
  // The first block of a section, or kNone.
  std::size_t FindSection(std::string_view section) const;
  std::size_t FindEntry(std::size_t block, std::string_view key) const;
  std::optional<std::string_view> View(std::string_view section, std::string_view key) const;
  // Appends a new line's text; name and value must not lie in text_.
  Line MakeLine(LineKind kind, std::string_view name, std::string_view value);
  // The last line of the document ends with a line break before another follows.
  void EndLastLine();
  // Drops the text that replaced lines left behind once it outweighs the rest.
  void CompactWhenWasteful();

  std::string text_;
  std::vector<Block> blocks_;
  Encoding encoding_ = Encoding::Gbk;
  bool mixed_ = false;
  int undecodable_line_ = 0;
  std::vector<std::string> unfaithful_keys_;
  struct Undecodable {
    std::string name, value, raw;  // as read: value decoded as well as it went
  };
  std::vector<Undecodable> undecodable_;
  std::size_t replaced_bytes_ = 0;
  // Blocks by section name: built on the first look-up, kept up to date by
  // SetString.
  mutable bool indexed_ = false;
  mutable NameIndex sections_;
};

// Reads integer text the way the private-profile integer read does.
int LeadingInt(std::string_view text, int default_when_no_digits = 0);

// Whole-file operations.
// A missing file gives an empty document and ok status; an unreadable one,
// or anything but a regular file of a sane size, gives an empty document
// and a failure.
IniDocument ReadIniFile(const std::string& path, IoStatus* status = nullptr);
// Atomic: a temporary file in the same folder, flushed, renamed over path.
IoStatus WriteIniFile(const std::string& path, const IniDocument& doc);

// A file and its document: load once, change many keys, save once.
class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(std::string path);  // reads the file now

  const std::string& path() const { return path_; }
  const IoStatus& load_status() const { return load_status_; }
  IniDocument& doc() { return doc_; }
  const IniDocument& doc() const { return doc_; }

  std::string GetString(std::string_view section, std::string_view key, std::string_view default_text,
                        std::size_t buffer_size) const {
    return doc_.GetString(section, key, default_text, buffer_size);
  }
  int GetInt(std::string_view section, std::string_view key, int default_value) const {
    return doc_.GetInt(section, key, default_value);
  }
  void SetString(std::string_view section, std::string_view key, std::string_view value) {
    doc_.SetString(section, key, value);
  }
  IoStatus Save() const { return WriteIniFile(path_, doc_); }

 private:
  std::string path_;
  IniDocument doc_;
  IoStatus load_status_;
};

}  // namespace kavir
