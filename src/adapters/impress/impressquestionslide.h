#pragma once

#include "adapters/impress/impressuno.h"

#include <com/sun/star/drawing/XDrawPage.hpp>

#include <string>
#include <vector>

namespace quiz
{

using namespace impressuno;

// What the question editor writes on a slide of LibreOffice Impress
// (docs/impress.md). Each change is one step of the document's undo and marks
// the document modified; the program never saves it.

// The slide's "VOTE" shape (the first of that name, any case, else a new one
// at the bottom left, not drawn) gets a click that runs runString.
void putVoteShapeOnPage(const Reference<frame::XModel> &model, const Reference<drawing::XDrawPage> &page,
                        const std::string &runString);

// The title (when one is given) into the slide's title shape and the lines as
// its body text, each made when the slide has none.
void writeQuestionText(const Reference<frame::XModel> &model, const Reference<drawing::XDrawPage> &page,
                       const std::string &title, const std::vector<std::string> &lines);

} // namespace quiz
