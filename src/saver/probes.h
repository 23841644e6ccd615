// Test builds only (VELKORIN_TEST_PROBES), never the shipped saver: they let tests watch the
// saver from outside. VELKORIN_SEED=N replaces the clock's seed; VELKORIN_FAULT_AT_STEP=N
// makes step N fail; VELKORIN_STEP_LOG names a file that gets a line per step: "<tick> <phase> <x>
// <y> <gdi objects> <windows> <memory KB>", where (x, y) is the shown puzzle's corner in the
// window, the counts on every hundredth step only (-1 and 0 otherwise).
#pragma once

#include <cstdint>

// The seed the saver starts from: VELKORIN_SEED where it is set, else clockSeed.
uint32_t ProbeSeed(uint32_t clockSeed);
// Throws on the step that VELKORIN_FAULT_AT_STEP names.
void ProbeBeforeStep();
// phase is the one the step showed: 0 a question, 1 an answer.
void ProbeAfterStep(int phase, int x, int y);
