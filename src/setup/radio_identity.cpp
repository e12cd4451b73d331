#include "radio_identity.h"

#include "ini/translate.h"

namespace kavir {

namespace {

bool PrintableAscii(const std::string& text) {
  for (char c : text)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

}  // namespace

RadioIdentity ReadRadioIdentity(const IniDocument& kavir_ini, std::vector<std::string>* problems) {
  RadioIdentity identity;
  const struct {
    const char* key;
    std::string* text;
    std::size_t length;
  } fields[] = {{"ModelCode", &identity.model_code, RadioIdentity::kModelCodeLength},
                {"Tag", &identity.tag, RadioIdentity::kTagLength},
                {"Signature", &identity.signature, RadioIdentity::kSignatureLength}};
  for (const auto& f : fields) {
    const std::optional<std::string> value = kavir_ini.Find("RadioIdentity", f.key);
    if (!value) continue;
    const std::string& text = *value;
    // The radio has room for exactly this many characters; a cut or padded
    // text would be a text no radio of the family carries.
    if (text.size() == f.length && PrintableAscii(text)) {
      *f.text = text;
    } else if (problems) {
      problems->push_back(
          ArgText(TrText("Setup", "KAVIR.ini [RadioIdentity] %1=\"%2\" 不是 %3 个 ASCII 字符, 仍用 \"%4\""),
                  {f.key, text, std::to_string(f.length), *f.text}));
    }
  }
  return identity;
}

}  // namespace kavir
