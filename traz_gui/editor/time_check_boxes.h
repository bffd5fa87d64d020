// Time-entry checks of the editor's pages against the current scenario:
// each takes the page window and the id of the field being left; a
// rejected entry gets back the field's previous text, its message is shown
// and the field refocused.  The output-time checks keep the process-wide
// validity flags of the history and map files.
#ifndef TRAZ_EDITOR_TIME_CHECK_BOXES_H
#define TRAZ_EDITOR_TIME_CHECK_BOXES_H

#include <cstdint>

#include "ruv.h"
#include "time_checks.h"

// Time Frame page.  A computational step is also refused when an output or
// release time that keeps its rule now would break it with that step.
void CheckComputationalTimeStep(RUV_WIN window, int32_t id);
void CheckStopTime(RUV_WIN window, int32_t id);
// Output Options page (history start in control 9, map start in control 12).
void CheckHistoryStartTime(RUV_WIN window, int32_t id);
void CheckHistoryStopTime(RUV_WIN window, int32_t id);
void CheckHistoryTimeStep(RUV_WIN window, int32_t id);
void CheckMapStartTime(RUV_WIN window, int32_t id);
void CheckMapStopTime(RUV_WIN window, int32_t id);
void CheckMapTimeStep(RUV_WIN window, int32_t id);
// The release time of an instantaneous release.
void CheckReleaseTime(RUV_WIN window, int32_t id);

// The output times' validity flags, and all of them valid again (with the
// scenario's defaults).
OutputTimeValidity &OutputTimeFlags();
void ResetOutputTimeFlags();

// An output interval (minutes) against the simulation time step: 1 when it
// was rejected (box shown, focus back), 0 when it is accepted.
int16_t CheckIntervalMultiple(RUV_WIN window, int32_t id);

// Sets the particle-tracks switch; warns when more than 1000 particles
// would all be written to the tracking file.
void ApplyTracksRule(int16_t flag);

#endif
