#pragma once
// The radio's side of the test mode: after the 7-byte test request it acknowledges, sends its
// identification, accepts the entry acknowledgement and the debug entry, then takes the item
// command, the item header and frames A and B, acknowledging each with H and logging what came.

#include "radio_sim.h"

#include <memory>

namespace orvo::sim {

// The responder main.cpp plugs into the simulator.
std::unique_ptr<TestModeResponder> makeTestModeResponder();

} // namespace orvo::sim
