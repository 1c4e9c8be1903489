#pragma once
// Velocities of the normal flow through the element and the pipe, and the liquid
// flashing and cavitation check that follows a sizing. Internal units: flows in
// the internal flow unit of the fluid equation, diameters [in], velocities [ft/s].

#include <vector>

#include "messages/messages.h"
#include "record/tag_record.h"

namespace quorven {

// Mean velocity [ft/s] of the normal flow Flow_Norm through a circle of diameter
// d [in]; 0 when d is not positive or the fluid choices give no velocity. Never
// NaN or infinite.
double ThroatVelocity(const TagRecord& r, double d);

// Liquid flashing and cavitation check after a flow-meter or restriction sizing:
// the vena contracta pressure and the recovered downstream pressure at maximum
// flow (Warnings #30, #31) and, for a flow meter, at normal flow (#32, #33).
// Stores Velocity_Vc and Velocity_Pipe at normal flow; returns the warnings shown.
std::vector<int> CheckFlashing(TagRecord& r, MessageSink& sink);

}  // namespace quorven
