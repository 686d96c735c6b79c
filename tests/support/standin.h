#pragma once

// Kept for the tests that include it for test::waitUntil (support/wait.h); a
// test starts the controller stand-in (tlxctrl) as a test::Child.

#include "support/wait.h"
