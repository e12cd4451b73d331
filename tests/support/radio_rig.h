#pragma once
// Screen, link and the in-process radio on one virtual clock, in a folder
// holding the shipped data. The radio holds the image a write of the
// start-up screen would send, so a read brings the shipped model back.
#include <algorithm>
#include <string>
#include <vector>

#include "codec/codec.h"
#include "link/serial_link.h"
#include "screen/radio_transfer.h"
#include "screen/screen_events.h"
#include "sim/virtual_radio.h"
#include "support.h"

namespace kavir::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes B(const char* text, int last = -1) {
  Bytes b(text, text + std::char_traits<char>::length(text));
  if (last >= 0) b.push_back(static_cast<std::uint8_t>(last));
  return b;
}

struct Rig {
  ShippedDir folder;
  WorkingFiles files = folder.files;
  sim::VirtualClock clock;
  FakeUi ui;
  ScreenEvents events{ui};
  sim::VirtualRadio radio{clock, sim::RadioImage{}, 1};
  SerialLink link{radio, clock, events, files};
  CKAVIRView view{files, ui};
  std::vector<ThreadPriority> priorities;

  Rig() {
    ui.now = [this] { return clock.NowMs(); };
    link.set_priority = [this](ThreadPriority p) { priorities.push_back(p); };
    LinkPortStarter starter(link);
    view.OnInitialUpdate(&starter);
    radio.radio().set_image(ScreenImage());
  }

  // The image a write of the screen as it stands would send.
  sim::RadioImage ScreenImage() {
    const Image image = EncodeImage(view.setup());
    sim::RadioImage out;
    std::copy(image.begin(), image.end(), out.begin());
    return out;
  }
  std::vector<Bytes> Sent() const {
    std::vector<Bytes> out;
    for (const auto& f : radio.sent()) out.push_back(f.bytes);
    return out;
  }
  std::string ReadIniValue(const std::string& key) const {
    return ReadIniFile(files.read_ini).GetString("Previous", key, "<missing>", 260);
  }
};

}  // namespace kavir::test
