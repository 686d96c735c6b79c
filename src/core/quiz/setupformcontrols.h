#pragma once

#include "core/startup/quizstate.h"
#include "ports/dialogs.h"

#include <string>
#include <vector>

namespace quiz
{

// The controls of the set-up form (QuizForm or QuizWizard) that the quiz file
// reader fills and the writer reads back. The set-up windows implement it;
// RecordingSetupForm keeps the values in memory for batch modes and tests.
// A form without one of these controls ignores the call.
class SetupFormControls
{
  public:
    virtual ~SetupFormControls() = default;

    virtual SetupFormKind kind() const = 0;

    // The quiz list (QuizForm's List2, the wizard's quiz list).
    virtual void addToQuizList(const std::string &name) = 0;
    virtual std::vector<std::string> quizList() const = 0;
    // Removes every entry of the available list (List1) equal to name
    // ignoring case.
    virtual void removeFromAvailableList(const std::string &name) = 0;

    virtual void setText1(const std::string &text) = 0;
    virtual void setShowScoresCheckBox(int value) = 0;
    virtual int showScoresCheckBox() const = 0;
    virtual void setOnFinish(int index) = 0;
    virtual void setCheckAutoStart(bool on) = 0;
    virtual void setChkUseWeightings(int value) = 0;
    virtual void setChkShowNumberOfMaxScorers(bool on) = 0;
    virtual void setChkShowOnlyMaxScorers(bool on) = 0;
    virtual void setTxtKeypadsStartFrom(const std::string &text) = 0;
    virtual void setTxtAddtext(const std::string &text) = 0;
    // The wizard's display-count box.
    virtual void setDisplayCountBox(const std::string &text) = 0;
    // Presets the font dialog of the set-up.
    virtual void presetFontDialog(const FontChoice &font) = 0;
};

} // namespace quiz
