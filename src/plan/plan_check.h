#pragma once
// The plan check: what in a set-up should not go on air. Errors are what
// is not allowed there (and what the write refuses anyway); warnings are
// what is allowed but most likely a mistake.
//
//   error    write check      what the write refuses: off the raster or the band, ...
//   error    licence          with a licence: a transmit frequency it does not list,
//                             lists for receiving only, or allows with less power
//                             or a narrower bandwidth
//   error    PMR446           transmitting in 446.0-446.2 MHz: only on its 16
//                             channels, low power, narrow, the same frequency both ways
//   warning  TX off           a TX-off channel holding a transmit frequency other
//                             than its receive one, or a transmit tone
//   warning  same channels    two channels in use, the same in every field
//   warning  same receive     the same receive frequency and tone on two channels
//                             that transmit otherwise
//   warning  one-way tone     a transmit tone without a receive tone, or the reverse
//
// The PMR446 band is licence-free: a licence need not list it.
#include <vector>

#include "finding.h"
#include "licence.h"
#include "setup/option_lists.h"
#include "setup/setup.h"

namespace kavir {

// Every finding, radio-wide ones first, then channel by channel (a rule of
// two channels is told at the later one). lists: the grid's option lists,
// which the write check takes the tones from.
std::vector<Finding> CheckPlan(const Setup& setup, const ChannelLists& lists, const Licence* licence = nullptr);

}  // namespace kavir
