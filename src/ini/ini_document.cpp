#include "ini_document.h"

#include <algorithm>

#include "atomic_file.h"
#include "gbk.h"
#include "translate.h"

namespace kavir {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Strict UTF-8 throughout (no overlong forms, no surrogates, nothing past
// U+10FFFF; ASCII counts). With counters given it reads on past a byte
// that fits no sequence, counting the characters of three or four bytes,
// those of two and the stray bytes; without, it stops there.
struct Utf8Counts {
  std::size_t long_forms = 0, short_forms = 0, strays = 0;
  bool past_strays = true;  // false: stop at the first
};
bool ScanUtf8(std::string_view s, Utf8Counts* counts = nullptr) {
  bool valid = true;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t len = 0;
    unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF)
      len = 2;
    else if (c >= 0xE0 && c <= 0xEF)
      len = 3, lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
    else if (c >= 0xF0 && c <= 0xF4)
      len = 4, lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
    bool ok = len != 0 && i + len <= s.size();
    for (std::size_t k = 1; ok && k < len; ++k) {
      const unsigned char b = static_cast<unsigned char>(s[i + k]);
      ok = b >= (k == 1 ? lo : 0x80) && b <= (k == 1 ? hi : 0xBF);
    }
    if (!ok) {
      if (!counts || !counts->past_strays) return false;
      valid = false;
      ++counts->strays;
      ++i;
      continue;
    }
    if (counts) ++(len > 2 ? counts->long_forms : counts->short_forms);
    i += len;
  }
  return valid;
}

// UTF-8 holding non-ASCII text. GBK text almost never passes: its trail
// bytes rarely line up as UTF-8 continuations all through a file. A few GBK
// characters can (值 is D6 B5), but only as two-byte forms, where Chinese in
// UTF-8 takes three: text of two-byte forms alone that is also valid GBK
// stays GBK.
bool IsUtf8Text(std::string_view s) {
  Utf8Counts counts;
  counts.past_strays = false;
  if (!ScanUtf8(s, &counts)) return false;
  return counts.long_forms > 0 || (counts.short_forms > 0 && !GbkToUtf8(s));
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

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

namespace {

constexpr std::string_view kLineEnds[] = {"", "\r\n", "\n", "\r"};
constexpr unsigned char kCrLf = 1;

bool IsAsciiText(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool NoCaseEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::size_t NoCaseHash(std::string_view s) {
  std::size_t h = 14695981039346656037ull;
  for (char c : s) h = (h ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ull;
  return h;
}

// The position whose name_of is name, or -1.
template <typename Index, typename NameOf>
std::size_t IndexFind(const Index& index, std::string_view name, NameOf name_of) {
  if (index.table.empty()) return static_cast<std::size_t>(-1);
  const std::size_t mask = index.table.size() - 1;
  for (std::size_t i = NoCaseHash(name) & mask;; i = (i + 1) & mask) {
    const std::size_t p = index.table[i];
    if (p == 0) return static_cast<std::size_t>(-1);
    if (NoCaseEqual(name_of(p - 1), name)) return p - 1;
  }
}

// Adds a position unless one of the same name is there; kept at most half full.
template <typename Index, typename NameOf>
void IndexAdd(Index& index, std::size_t pos, NameOf name_of) {
  if (2 * (index.count + 1) > index.table.size()) {
    std::vector<std::size_t> old(std::max<std::size_t>(16, 2 * index.table.size()), 0);
    old.swap(index.table);
    index.count = 0;
    for (std::size_t p : old)
      if (p != 0) IndexAdd(index, p - 1, name_of);
  }
  const std::size_t mask = index.table.size() - 1;
  const std::string_view name = name_of(pos);
  for (std::size_t i = NoCaseHash(name) & mask;; i = (i + 1) & mask) {
    std::size_t& slot = index.table[i];
    if (slot == 0) {
      slot = pos + 1;
      ++index.count;
      return;
    }
    if (NoCaseEqual(name_of(slot - 1), name)) return;
  }
}

}  // namespace

IniDocument::Span IniDocument::Keep(std::string_view s) {
  const Span span{text_.size(), s.size()};
  text_.append(s);
  return span;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  doc.blocks_.emplace_back();
  if (bytes.substr(0, kBom.size()) == kBom) {
    doc.encoding_ = Encoding::Utf8Bom;
    bytes.remove_prefix(kBom.size());
    doc.mixed_ = !ScanUtf8(bytes);
  } else if (IsUtf8Text(bytes)) {
    doc.encoding_ = Encoding::Utf8;
  } else if (!IsAsciiText(bytes) && !GbkToUtf8(bytes)) {
    // Neither encoding holds every byte: a file of one with stray bytes.
    // Taken as UTF-8 when its Chinese is, so the bytes go back as they came.
    Utf8Counts counts;
    ScanUtf8(bytes, &counts);
    if (counts.long_forms > counts.strays) doc.encoding_ = Encoding::Utf8;
    doc.mixed_ = true;
  }
  doc.text_.reserve(bytes.size() + bytes.size() / 4);
  doc.text_.assign(bytes);
  // Offsets into text_ come from the bytes, which stay put while decoded
  // names and values are appended to text_.
  const auto at = [&](std::string_view piece) {
    return Span{static_cast<std::size_t>(piece.data() - bytes.data()), piece.size()};
  };
  const auto decoded = [&](std::string_view piece) {
    if (doc.encoding_ != Encoding::Gbk || IsAsciiText(piece)) return at(piece);
    return doc.Keep(GbkToUtf8Lossy(piece));
  };
  std::size_t pos = 0;
  int line_number = 0;
  while (pos < bytes.size()) {
    std::size_t end = pos;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    const std::string_view raw = bytes.substr(pos, end - pos);
    Line line;
    line.raw = at(raw);
    if (end < bytes.size())
      line.eol = bytes[end] == '\n' ? 2 : end + 1 < bytes.size() && bytes[end + 1] == '\n' ? kCrLf : 3;
    pos = end + kLineEnds[line.eol].size();

    std::string_view t = Trim(raw);
    if (!t.empty() && t.front() == '[') {
      std::size_t close = t.find(']');
      line.kind = LineKind::Section;
      line.name = decoded(Trim(t.substr(1, close == std::string_view::npos ? t.size() - 1 : close - 1)));
    } else if (!t.empty() && t.front() != ';') {
      std::size_t eq = t.find('=');
      if (eq != std::string_view::npos) {
        line.kind = LineKind::Entry;
        line.name = decoded(Trim(t.substr(0, eq)));
        line.value = decoded(Trim(t.substr(eq + 1)));
      }
    }
    ++line_number;
    if (doc.mixed_ && !IsAsciiText(raw) &&
        (doc.encoding_ == Encoding::Gbk ? !GbkToUtf8(raw).has_value() : !ScanUtf8(raw))) {
      if (doc.undecodable_line_ == 0) doc.undecodable_line_ = line_number;
      // Its value written back unedited gets these bytes again.
      if (line.kind == LineKind::Entry)
        doc.undecodable_.push_back({std::string(doc.Name(line)), std::string(doc.Text(line.value)), std::string(raw)});
    }
    if (line.kind == LineKind::Section) doc.blocks_.emplace_back();
    doc.blocks_.back().lines.push_back(line);
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  out.reserve(text_.size() + kBom.size());
  if (encoding_ == Encoding::Utf8Bom) out += kBom;
  for (const Block& b : blocks_)
    for (const Line& l : b.lines) {
      out += Text(l.raw);
      out += kLineEnds[l.eol];
    }
  return out;
}

void IniDocument::BuildIndex() const {
  // Only the first header of a name counts, and only its own entries.
  sections_ = NameIndex{};
  for (std::size_t b = 1; b < blocks_.size(); ++b) {
    IndexAdd(sections_, b, [this](std::size_t i) { return Name(blocks_[i].lines.front()); });
    const Block& block = blocks_[b];
    block.entries = NameIndex{};
    for (std::size_t i = 1; i < block.lines.size(); ++i)
      if (block.lines[i].kind == LineKind::Entry)
        IndexAdd(block.entries, i, [&](std::size_t l) { return Name(block.lines[l]); });
  }
  indexed_ = true;
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  if (!indexed_) BuildIndex();
  return IndexFind(sections_, section, [this](std::size_t i) { return Name(blocks_[i].lines.front()); });
}

std::size_t IniDocument::FindEntry(std::size_t block, std::string_view key) const {
  const Block& b = blocks_[block];
  return IndexFind(b.entries, key, [&](std::size_t l) { return Name(b.lines[l]); });
}

std::optional<std::string_view> IniDocument::View(std::string_view section, std::string_view key) const {
  std::size_t b = FindSection(section);
  if (b == kNone) return std::nullopt;
  std::size_t e = FindEntry(b, key);
  if (e == kNone) return std::nullopt;
  return Text(blocks_[b].lines[e].value);
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  auto v = View(section, key);
  return v ? std::optional<std::string>(*v) : std::nullopt;
}

std::string IniDocument::GetString(std::string_view section, std::string_view key, std::string_view default_text,
                                   std::size_t buffer_size) const {
  if (buffer_size == 0) return std::string();
  return ClipToGbkBytes(View(section, key).value_or(default_text), buffer_size - 1);
}

int IniDocument::GetInt(std::string_view section, std::string_view key, int default_value) const {
  auto v = View(section, key);
  if (!v) return default_value;
  return LeadingInt(*v, 0);
}

IniDocument::Line IniDocument::MakeLine(LineKind kind, std::string_view name, std::string_view value) {
  Line l;
  l.kind = kind;
  l.eol = kCrLf;
  const std::size_t begin = text_.size();
  if (kind == LineKind::Section) {
    text_.append("[").append(name).append("]");
    l.name = Span{begin + 1, name.size()};
  } else {
    text_.append(name).append("=").append(value);
    l.name = Span{begin, name.size()};
    l.value = Span{begin + name.size() + 1, value.size()};
  }
  l.raw = Span{begin, text_.size() - begin};
  // Text that came from bytes neither encoding reads would go back changed,
  // unless it is the value read from those bytes in this very file.
  const std::string_view written = Text(l.raw);
  bool unfaithful =
      written.find(kReplacement) != std::string_view::npos || (encoding_ == Encoding::Gbk && !ScanUtf8(written));
  bool restored = false;
  if (unfaithful && kind == LineKind::Entry)
    for (const Undecodable& u : undecodable_)
      if (u.name == name && u.value == value) {
        l.raw = Keep(std::string(u.raw));
        unfaithful = false, restored = true;
        break;
      }
  const auto known = std::find(unfaithful_keys_.begin(), unfaithful_keys_.end(), name);
  if (unfaithful && known == unfaithful_keys_.end()) unfaithful_keys_.emplace_back(name);
  if (!unfaithful && known != unfaithful_keys_.end()) unfaithful_keys_.erase(known);
  // A GBK file gets the line in GBK; the name and value stay UTF-8.
  if (!restored && encoding_ == Encoding::Gbk && !IsAsciiText(Text(l.raw))) l.raw = Keep(Utf8ToGbkLossy(Text(l.raw)));
  return l;
}

void IniDocument::EndLastLine() {
  for (auto b = blocks_.rbegin(); b != blocks_.rend(); ++b)
    if (!b->lines.empty()) {
      if (b->lines.back().eol == 0) b->lines.back().eol = kCrLf;
      return;
    }
}

void IniDocument::CompactWhenWasteful() {
  if (replaced_bytes_ < 4096 || replaced_bytes_ < text_.size() / 2) return;
  std::string kept;
  kept.reserve(text_.size() - replaced_bytes_);
  const auto move = [&](Span& s, Span from, Span to) {
    // A name or value inside the raw line moves with it.
    if (s.begin >= from.begin && s.begin + s.size <= from.begin + from.size) {
      s.begin = to.begin + (s.begin - from.begin);
      return;
    }
    const Span moved{kept.size(), s.size};
    kept.append(Text(s));
    s = moved;
  };
  for (Block& b : blocks_)
    for (Line& l : b.lines) {
      const Span from = l.raw;
      l.raw = Span{kept.size(), from.size};
      kept.append(Text(from));
      move(l.name, from, l.raw);
      move(l.value, from, l.raw);
    }
  text_ = std::move(kept);
  replaced_bytes_ = 0;
}

void IniDocument::SetString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view new_value = Trim(value);
  std::size_t b = FindSection(section);  // builds the index
  if (b == kNone) {
    if (blocks_.empty()) blocks_.emplace_back();  // nothing before the first header
    EndLastLine();
    Block block;
    block.lines.push_back(MakeLine(LineKind::Section, section, {}));
    block.lines.push_back(MakeLine(LineKind::Entry, key, new_value));
    IndexAdd(block.entries, 1, [&](std::size_t l) { return Name(block.lines[l]); });
    blocks_.push_back(std::move(block));
    IndexAdd(sections_, blocks_.size() - 1, [this](std::size_t i) { return Name(blocks_[i].lines.front()); });
    return;
  }
  Block& block = blocks_[b];
  std::size_t e = FindEntry(b, key);
  if (e != kNone) {
    Line& l = block.lines[e];
    if (Text(l.value) == new_value) return;  // keep the line byte for byte
    replaced_bytes_ += l.raw.size;
    const unsigned char eol = l.eol;
    const std::string name(Name(l));  // text_ moves as the new line goes in
    l = MakeLine(LineKind::Entry, name, new_value);
    l.eol = eol;
    CompactWhenWasteful();
    return;
  }
  // After the section's last entry, so comments and blank lines that lead
  // into the next section stay with it.
  // Found from the end: no entry lies past it, so no index moves.
  std::size_t at = block.lines.size();
  while (at > 1 && block.lines[at - 1].kind != LineKind::Entry) --at;
  if (block.lines[at - 1].eol == 0) block.lines[at - 1].eol = kCrLf;
  block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(at), MakeLine(LineKind::Entry, key, new_value));
  IndexAdd(block.entries, at, [&](std::size_t l) { return Name(block.lines[l]); });
}

bool IniDocument::HasSection(std::string_view section) const { return FindSection(section) != kNone; }

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  std::size_t b = FindSection(section);
  if (b == kNone) return keys;
  for (const Line& l : blocks_[b].lines)
    if (l.kind == LineKind::Entry) keys.emplace_back(Name(l));
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
  if (!doc.unfaithful_keys().empty())
    return IoStatus::BadInput(
        path, ArgText(TrText("Profile",
                             "%1 的值含有既不是 UTF-8 也不是 GBK 的字节, 保存会改变它们: 没有保存。请先改正这个值。"),
                      {doc.unfaithful_keys().front()}));
  return WriteFileAtomically(path, doc.Serialize());
}

IniFile::IniFile(std::string path) : path_(std::move(path)) { doc_ = ReadIniFile(path_, &load_status_); }

}  // namespace kavir
