#pragma once

#include "core/display/displayarea.h"
#include "core/votedata/participant.h"
#include "ports/dialogs.h"
#include "ports/geometry.h"
#include "ports/windowsystem.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quiz
{

struct PointD {
    double x = 0;
    double y = 0;
    bool operator==(const PointD &) const = default;
};

enum class SetupFormKind { QuizForm, QuizWizard };

// The values every part of a run shares: folders, command words, the quiz's
// set-up, the display layout and the tables the readers fill. One object per
// run, created by start-up and passed to whoever needs it.
struct QuizState {
    // Folders. addinFolder ends with "/", dataFolder has no trailing "/".
    std::string addinFolder;
    std::string dataFolder;

    // Command words.
    std::string quizFileName;
    std::string modeWord;
    std::string slideArg;
    std::string extraArg;
    std::string runMode;
    int currentSlide = 0;

    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;
    SetupFormKind setupForm = SetupFormKind::QuizForm;

    // Quiz set-up.
    int displayCount = 5;
    int onFinishChoice = 1; // 0 back to the show, 1 and go to the next slide
    bool autoStart = true;
    int showScores = 1;
    int showKeypadNames = 0;
    int reserved1 = 20;
    int reserved2 = 20;
    int useWeightings = 0;
    bool showNumberOfMaxScorers = false;
    bool showOnlyMaxScorers = false;
    int keypadsStartFrom = 1;
    std::array<std::string, 2> textToAdd;

    bool chartFade = false;
    std::vector<int> validKeypads; // index = keypad number, 1 = valid

    // Display layout.
    std::array<DisplayArea, 2> displayAreas{};
    std::vector<std::array<PointD, 3>> annotationPositions; // [place][0..2]
    std::vector<PointD> rankLabelPositions;                 // [place]
    std::string displayFontName = "Arial";
    int displayFontSize = 24;
    std::uint32_t displayFontColour = 0; // blue-green-red
    bool displayFontBold = false;
    bool displayFontItalic = false;
    bool displayFontUnderline = false;
    bool displayFontStrikeThrough = false;

    // Windows of the presentation program.
    std::vector<WindowHandle> pptWindows{0};
    std::vector<WindowHandle> showWindows{0};
    PixelRect pptWindowRect;

    // Vote data.
    bool responseRecPresent = false;
    std::string questionResponseText;

    // Participant names; before a load, one record: "1", keypad 1, weighting 1.
    std::vector<Participant> participants{Participant{"1", 1, 1}};
};

// The display font of the set-up, as the font dialog shows it.
inline FontChoice displayFontChoice(const QuizState &s)
{
    return FontChoice{s.displayFontName,   s.displayFontSize,      s.displayFontBold,
                      s.displayFontItalic, s.displayFontUnderline, s.displayFontStrikeThrough,
                      s.displayFontColour};
}

// The display font the set-up gives (the font dialog's choice, or the first place's font).
inline void setDisplayFont(QuizState &s, const FontChoice &f)
{
    s.displayFontName = f.name;
    s.displayFontSize = f.size;
    s.displayFontBold = f.bold;
    s.displayFontItalic = f.italic;
    s.displayFontUnderline = f.underline;
    s.displayFontStrikeThrough = f.strikeThrough;
    s.displayFontColour = f.colour;
}

} // namespace quiz
