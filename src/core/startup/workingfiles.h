#pragma once

#include "core/startup/quizstate.h"

#include <string>

namespace quiz
{

// The small working files exchanged with the Talvix tools. Names are found
// case-insensitively in their folder.

// Sets chartFade from addinFolder + "tlx.ini": the item after the first item
// that upper-cased is "CHART FADE"; its leading number non-zero means on. A
// missing file, key or value leaves chartFade (false) as it is / off.
void ReadTlxIni(QuizState &state);

// Fills validKeypads from valid.kpd at path: its first item is a string of
// digits, the i-th for keypad i (a non-digit gives 0; index 0 stays 0).
// Without the file: 651 entries, 0..649 valid.
void LoadValidKeypads(QuizState &state, const std::string &path);

// Writes addinFolder + "quizActive.txt" holding the item "Blah".
bool WriteQuizActiveMarker(const QuizState &state, std::string *error = nullptr);
// Writes addinFolder + "QuizInsertComplete.txt" holding "Quiz insert
// complete", then deletes quizActive.txt when it exists.
bool WriteInsertCompleteMarker(const QuizState &state, std::string *error = nullptr);
// Deletes addinFolder + "quizactive.txt" (any case) when it exists.
void RemoveQuizActiveMarker(const QuizState &state);

// Sizes annotationPositions and rankLabelPositions to displayCount + 1
// places (keeping what fits) and resets places 0..displayCount-1:
// rank label (3000, 600), annotation texts 0 and 1 at (-1, -1).
void ResetDisplayPositions(QuizState &state);

} // namespace quiz
