#pragma once

namespace quiz
{

// Large work (scoring a large meeting, reading a large response.rec) is split
// over two threads where the machine has more than one core. The count can be
// set, so that both ways run on any machine (tests, benchmarks).
unsigned workThreadCount();              // 1 or 2
void setWorkThreadCount(unsigned count); // 0: as the machine allows again

} // namespace quiz
