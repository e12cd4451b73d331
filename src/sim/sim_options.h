#pragma once
// Command line of kavir-radio-sim.
#include <optional>
#include <string>
#include <vector>

#include "cable.h"
#include "radio_protocol.h"

namespace kavir::sim {

struct SimOptions {
  std::string image_file;    // --image FILE: 768 raw bytes
  std::string profile_file;  // --profile FILE: built through the codec
  std::string program_dir;   // --dir DIR: KAVIR.ini and model files for --profile
  std::string save_file;     // --save FILE: what a write delivers
  std::string log_file;      // --log FILE: a line per write handshake and data packet
  int baud = 0;              // --baud N: pace the line; 0 = as fast as it goes
  int model = 1;             // --model N: the model number the handshake names
  RadioFaults faults;
  // Several radios in turn on one cable: --radios N, or --models A,B,...
  // (one radio per model number). Empty: one radio that stays attached.
  std::vector<int> cable_models;
  CableOptions cable;  // --unplug-after MS, --plug-gap MS
};

// Parses argv[1..]; nullopt with *error on bad usage.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string* error);
const char* SimUsage();

// Reads exactly 768 bytes; false with *error otherwise.
bool LoadImageFile(const std::string& path, RadioImage* image, std::string* error);
// Whole or not at all (a temporary file beside it, renamed over) but not
// flushed to disk: a radio answers in milliseconds, and a flush behind a
// busy disk's backlog can take longer than a programmer waits for an
// acknowledgement. Readers on this machine see the renamed file at once.
bool SaveImageFile(const std::string& path, const RadioImage& image, std::string* error);

}  // namespace kavir::sim
