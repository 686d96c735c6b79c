#pragma once

#include "ports/presentationhost.h"

#include <string>

namespace quiz
{

// The question file a slide votes on, as "FindVoteSlides" finds it: the
// slide's first shape named "VOTE" (any case), its file named by the shape's
// run string, else by the slide's "QuiztlxName" tag; "" for no voting slide.
std::string voteFileOfSlide(const HostSlide &slide);

} // namespace quiz
