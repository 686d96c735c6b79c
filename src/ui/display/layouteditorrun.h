#pragma once

namespace quiz
{

struct RunContext;

// Opens the display layout editor for the set-up screens ("Set display") and
// returns when the presenter has closed it.
//
// Before the call, the set-up screen has stored displayCount and the score
// texts, hidden itself, started the show on the quiz slide ("StartShowEdit"),
// waited for the show's window and recorded itself in ctx.state.setupForm.
//
// The call captures the slide, opens FrmTChartSetup over the show at
// displayAreas[0] (when any of its four values is non-zero; else centred at
// 60% of the show's size), composes displayCount rows of placeholders into
// it, fades it in and runs a local event loop until the editor is closed.
//
// On return, ctx.state holds the new layout (annotationPositions, the display
// font, displayAreas[0]), "EndShowEdit" has run on the presentation program,
// and the set-up screen (the top-level widget named "QuizForm" or
// "QuizWizard", after setupForm) is shown again. The quiz file is not
// written here: the set-up screen's OK does that.
void RunLayoutEditor(RunContext &ctx);

} // namespace quiz
