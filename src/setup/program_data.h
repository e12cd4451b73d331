#pragma once
// What the program directory says about the radios, read once: the option
// lists of KAVIR.ini and QTDQT.ini, each model's name, mode and band, and
// the set-up a program starts on. Everything that opens, decodes or checks
// a set-up without a screen takes it.
#include <optional>
#include <string>

#include "ini/io_status.h"
#include "option_lists.h"
#include "profile_setup.h"
#include "program_config.h"
#include "radio_identity.h"
#include "setup.h"
#include "setup/option_lists.h"
#include "setup/working_files.h"

namespace kavir {

struct ProgramData {
  WorkingFiles files;
  ProgramConfig config;  // KAVIR.ini, read once
  OptionLists lists;
  ChannelLists channel_lists;
  // Ok when KAVIR.ini gave the option lists; without them nothing may be
  // stored, written or read.
  IoStatus lists_status = IoStatus::Ok();
  // The last model's file as a started program shows it.
  Setup start;
  // How reading that file went: a failure, or a file without profile
  // settings, leaves start as its defaults.
  IoStatus start_status = IoStatus::Ok();
  // What a write puts into a radio whose own identity texts are not known.
  RadioIdentity identity;

  static ProgramData Load(const WorkingFiles& files);
  // The same from a configuration already read.
  static ProgramData Load(const WorkingFiles& files, ProgramConfig config);

  // The model names (KAVIR.ini's Type list).
  const std::vector<std::string>& models() const { return lists[Setting::Type]; }
  // Model number n's name ("" when the list has no such entry).
  std::string ModelName(int n) const { return lists.Entry(Setting::Type, n, ""); }
  // A set-up's texts as a profile file holds them, shown as a started
  // program would show them after loading it.
  Setup Resolve(const Setup& record) const { return ResolveChoices(record, lists, start); }
};

// Ok when the configuration gives the option lists.
IoStatus ListsStatus(const ProgramConfig& config, const OptionLists& lists);
// The model the program last showed (PreviousType).
std::string PreviousModel(const IniDocument& kavir_ini);
// Stores PreviousType, the model the next start opens on.
IoStatus RememberModel(ProgramConfig& config, const std::string& model);

// What a read takes from the radio's answer for model n (entry "n" of
// KAVIR.ini's Type and Mode sections), the band from that model's file.
// Everything else is empty.
Setup ModelRecord(int model, const ProgramData& data);

// The model file gives an upper band limit (whole MHz, not 0).
bool HasBand(const Setup& record);

}  // namespace kavir
