#include "ini_document.h"

#include "atomic_file.h"
#include "gbk.h"


namespace kavir {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Strict UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF)
// holding non-ASCII text. GBK text almost never passes: its trail bytes
// rarely line up as UTF-8 continuations all through a file. A few GBK
// characters can (值 is D6 B5), but only as two-byte forms, where Chinese in
// UTF-8 takes three: text of two-byte forms alone that is also valid GBK
// stays GBK.
bool IsUtf8Text(std::string_view s) {
  bool non_ascii = false;
  bool long_form = false;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    non_ascii = true;
    std::size_t len;
    unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) len = 2;
    else if (c >= 0xE0 && c <= 0xEF) len = 3, lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
    else if (c >= 0xF0 && c <= 0xF4) len = 4, lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
    else return false;
    if (i + len > s.size()) return false;
    long_form |= len > 2;
    for (std::size_t k = 1; k < len; ++k) {
      const unsigned char b = static_cast<unsigned char>(s[i + k]);
      if (b < (k == 1 ? lo : 0x80) || b > (k == 1 ? hi : 0xBF)) return false;
    }
    i += len;
  }
  return non_ascii && (long_form || !GbkToUtf8(s));
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

int LeadingInt(std::string_view text, int default_when_no_digits) {
  std::size_t i = 0;
  while (i < text.size() && (IsBlank(text[i]) || text[i] == '\r' || text[i] == '\n')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return default_when_no_digits;
  long long v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) v = 2147483648LL;  // saturate, never overflow
  }
  if (negative) v = -v;
  if (v > 2147483647LL) v = 2147483647LL;
  return static_cast<int>(v);
}

std::size_t IniDocument::NoCaseHash::operator()(std::string_view s) const {
  std::size_t h = 14695981039346656037ull;
  for (char c : s) h = (h ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ull;
  return h;
}

bool IniDocument::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::string IniDocument::DecodeText(std::string_view raw) const {
  return encoding_ == Encoding::Gbk ? GbkToUtf8Lossy(raw) : std::string(raw);
}

std::string IniDocument::EncodeLine(std::string_view utf8) const {
  return encoding_ == Encoding::Gbk ? Utf8ToGbkLossy(utf8) : std::string(utf8);
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  doc.blocks_.emplace_back();
  if (bytes.substr(0, kBom.size()) == kBom) {
    doc.encoding_ = Encoding::Utf8Bom;
    bytes.remove_prefix(kBom.size());
  } else if (IsUtf8Text(bytes)) {
    doc.encoding_ = Encoding::Utf8;
  }
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = pos;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    Line line;
    line.raw = std::string(bytes.substr(pos, end - pos));
    if (end < bytes.size()) {
      if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
        line.eol = "\r\n";
      else
        line.eol = std::string(1, bytes[end]);
    }
    pos = end + line.eol.size();

    std::string_view t = Trim(line.raw);
    if (!t.empty() && t.front() == '[') {
      std::size_t close = t.find(']');
      line.kind = 1;
      line.name = doc.DecodeText(Trim(t.substr(1, close == std::string_view::npos ? t.size() - 1
                                                                                  : close - 1)));
    } else if (!t.empty() && t.front() != ';') {
      std::size_t eq = t.find('=');
      if (eq != std::string_view::npos) {
        line.kind = 2;
        line.name = doc.DecodeText(Trim(t.substr(0, eq)));
        line.value = doc.DecodeText(Trim(t.substr(eq + 1)));
      }
    }
    if (line.kind == 1) doc.blocks_.emplace_back();
    doc.blocks_.back().lines.push_back(std::move(line));
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  if (encoding_ == Encoding::Utf8Bom) out += kBom;
  for (const Block& b : blocks_)
    for (const Line& l : b.lines) {
      out += l.raw;
      out += l.eol;
    }
  return out;
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  if (!indexed_) {
    // Only the first header of a name counts, and only its own entries.
    sections_.clear();
    for (std::size_t b = 1; b < blocks_.size(); ++b) {
      if (!sections_.emplace(blocks_[b].lines.front().name, b).second) continue;
      const Block& block = blocks_[b];
      block.entries.clear();
      for (std::size_t i = 1; i < block.lines.size(); ++i)
        if (block.lines[i].kind == 2) block.entries.emplace(block.lines[i].name, i);
    }
    indexed_ = true;
  }
  auto it = sections_.find(section);
  return it == sections_.end() ? kNone : it->second;
}

std::size_t IniDocument::FindEntry(std::size_t block, std::string_view key) const {
  const auto& entries = blocks_[block].entries;
  auto it = entries.find(key);
  return it == entries.end() ? kNone : it->second;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  std::size_t b = FindSection(section);
  if (b == kNone) return std::nullopt;
  std::size_t e = FindEntry(b, key);
  if (e == kNone) return std::nullopt;
  return blocks_[b].lines[e].value;
}

std::string IniDocument::GetString(std::string_view section, std::string_view key,
                                   std::string_view default_text, std::size_t buffer_size) const {
  if (buffer_size == 0) return std::string();
  auto v = Find(section, key);
  return ClipToGbkBytes(v ? std::string_view(*v) : default_text, buffer_size - 1);
}

int IniDocument::GetInt(std::string_view section, std::string_view key, int default_value) const {
  auto v = Find(section, key);
  if (!v) return default_value;
  return LeadingInt(*v, 0);
}

IniDocument::Line IniDocument::MakeLine(int kind, std::string_view name, std::string_view value) const {
  Line l;
  l.kind = kind;
  l.name = std::string(name);
  l.value = std::string(value);
  l.raw = EncodeLine(kind == 1 ? "[" + l.name + "]" : l.name + "=" + l.value);
  l.eol = "\r\n";
  return l;
}

void IniDocument::EndLastLine() {
  for (auto b = blocks_.rbegin(); b != blocks_.rend(); ++b)
    if (!b->lines.empty()) {
      if (b->lines.back().eol.empty()) b->lines.back().eol = "\r\n";
      return;
    }
}

void IniDocument::SetString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view new_value = Trim(value);
  std::size_t b = FindSection(section);  // builds the index
  if (b == kNone) {
    if (blocks_.empty()) blocks_.emplace_back();  // nothing before the first header
    EndLastLine();
    Block block;
    block.lines.push_back(MakeLine(1, section, {}));
    block.lines.push_back(MakeLine(2, key, new_value));
    block.entries.emplace(std::string(key), 1);
    blocks_.push_back(std::move(block));
    sections_.emplace(std::string(section), blocks_.size() - 1);
    return;
  }
  Block& block = blocks_[b];
  std::size_t e = FindEntry(b, key);
  if (e != kNone) {
    Line& l = block.lines[e];
    if (l.value == new_value) return;  // keep the line byte for byte
    l.value = std::string(new_value);
    l.raw = EncodeLine(l.name + "=" + l.value);
    return;
  }
  // After the section's last entry, so comments and blank lines that lead
  // into the next section stay with it.
  // Found from the end: no entry lies past it, so no index moves.
  std::size_t at = block.lines.size();
  while (at > 1 && block.lines[at - 1].kind != 2) --at;
  if (block.lines[at - 1].eol.empty()) block.lines[at - 1].eol = "\r\n";
  block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(at), MakeLine(2, key, new_value));
  block.entries.emplace(std::string(key), at);
}

bool IniDocument::HasSection(std::string_view section) const { return FindSection(section) != kNone; }

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  std::size_t b = FindSection(section);
  if (b == kNone) return keys;
  for (const Line& l : blocks_[b].lines)
    if (l.kind == 2) keys.push_back(l.name);
  return keys;
}

IniDocument ReadIniFile(const std::string& path, IoStatus* status) {
  if (KindOfFile(path) == FileKind::Missing) {
    if (status) *status = IoStatus::Ok();
    return IniDocument();
  }
  IoStatus read;
  std::string bytes = ReadWholeFile(path, &read);
  if (status) *status = read;
  return read ? IniDocument::Parse(bytes) : IniDocument();
}

IoStatus WriteIniFile(const std::string& path, const IniDocument& doc) {
  return WriteFileAtomically(path, doc.Serialize());
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  doc_ = ReadIniFile(path_, &load_status_);
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view default_text, std::size_t buffer_size,
                                    const std::string& path) {
  return ReadIniFile(path).GetString(section, key, default_text, buffer_size);
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int default_value,
                         const std::string& path) {
  return ReadIniFile(path).GetInt(section, key, default_value);
}

IoStatus WritePrivateProfileString(std::string_view section, std::string_view key,
                                   std::string_view value, const std::string& path) {
  IoStatus status;
  IniDocument doc = ReadIniFile(path, &status);
  if (!status) return status;
  doc.SetString(section, key, value);
  return WriteIniFile(path, doc);
}

}  // namespace kavir
