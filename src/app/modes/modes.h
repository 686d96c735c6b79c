#pragma once

// One handler per run mode, each in its own file. Start-up has done its steps
// and read nothing of the mode's own; each handler does the mode's work. Batch
// modes end the run (endRun) when done; window modes return once their window
// is up and the run then lives in the event loop until the window ends it.
#include "app/modes/displaymode.h"
#include "app/modes/exportmode.h"
#include "app/modes/insertmode.h"
#include "app/modes/partsetupmode.h"
#include "app/modes/printmode.h"
#include "app/modes/questionmode.h"
#include "app/modes/resultstablemode.h"
#include "app/modes/setupmode.h"
#include "app/modes/wizardmode.h"
