#pragma once
// The meter, pipe and calculation set-up dialogs. Each Run... function shows its
// dialog on a copy of the record and writes the copy back only when the user
// presses OK (the calculation set-up also marks the tag uncalculated on Cancel).
// It returns whether the record changed hands; the caller then tells the document.

#include <cstdint>

#include "form/meter_choices.h"
#include "messages/messages.h"
#include "record/tag_record.h"

class QWidget;

namespace quorven {
class CQuorven64Doc;
}

namespace quorven {

// Returns true on OK. `tag_saved` is cleared whether OK or Cancel.
bool RunCalcSetupDialog(QWidget* parent, TagRecord& record, CritDropMemory& crit, bool& tag_saved);
bool RunOrificePlateDialog(QWidget* parent, TagRecord& record, MeterDialogMemory& memory);
bool RunNozzleDialog(QWidget* parent, TagRecord& record, MeterDialogMemory& memory);
bool RunVenturiDialog(QWidget* parent, TagRecord& record, MeterDialogMemory& memory);
// UVT (32797), Lo Loss (32798) and the proprietary meters (32846, 32847, 32867).
bool RunSimpleMeterDialog(QWidget* parent, int command, TagRecord& record, MeterDialogMemory& memory);
// Critical-drop nozzle (32801), orifice (32802: gas or liquid form) and venturi (32871).
bool RunCritDropDialog(QWidget* parent, int command, TagRecord& record, MeterDialogMemory& memory,
                       CritDropMemory& crit);
// The wedge selection, then the pipe data dialog.
bool RunWedgeDialog(QWidget* parent, TagRecord& record, MeterDialogMemory& memory);
bool RunCustomMeterDialog(QWidget* parent, TagRecord& record, MeterDialogMemory& memory);
bool RunPipeDataDialog(QWidget* parent, TagRecord& record);
// Base conditions; refused values show Error #8 or #9 and keep the dialog open.
// On OK, gas volume flows at base conditions are rescaled to the same quantity of
// gas by the form's base-condition rule (StoreBaseValue).
bool RunBaseDialog(QWidget* parent, TagRecord& record, MessageSink& sink);

// The commands of these dialogs (calculation set-up, meters, pipe data).
bool IsMeterDialogCommand(int command);
// Runs the command's dialog on the document's record; on OK the document is told
// that its record changed. The dialogs' numbered messages go to `sink` (the
// program's sink), or to message boxes when it is null.
void RunMeterDialogCommand(QWidget* parent, int command, CQuorven64Doc& doc, MeterDialogMemory& memory,
                           MessageSink* sink = nullptr);

}  // namespace quorven
