#pragma once

namespace quiz
{

struct RunContext;

// EXPORT: the individual results workbook of every quiz in the presentation.
void runExportMode(RunContext &ctx);

} // namespace quiz
