#pragma once

namespace quiz
{

// Twips (1/1440 inch) per pixel of the primary screen, as whole numbers
// (15 at 96 dots per inch).
int twipsPerPixelX();
int twipsPerPixelY();
// The primary screen's size in twips.
int screenWidthTwips();
int screenHeightTwips();

} // namespace quiz
