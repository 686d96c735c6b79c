#pragma once

#include "core/quiz/setupformcontrols.h"

#include <optional>

namespace quiz
{

// The set-up form's values in memory: what batch modes read the quiz into,
// and what tests fill and inspect.
class RecordingSetupForm : public SetupFormControls
{
  public:
    explicit RecordingSetupForm(SetupFormKind kind = SetupFormKind::QuizForm) : kind_(kind) {}

    SetupFormKind kind() const override { return kind_; }
    void addToQuizList(const std::string &name) override { quiz.push_back(name); }
    std::vector<std::string> quizList() const override { return quiz; }
    void removeFromAvailableList(const std::string &name) override;
    void setText1(const std::string &text) override { text1 = text; }
    void setShowScoresCheckBox(int value) override { showScores = value; }
    int showScoresCheckBox() const override { return showScores; }
    void setOnFinish(int index) override { onFinish = index; }
    void setCheckAutoStart(bool on) override { autoStart = on; }
    void setChkUseWeightings(int value) override { useWeightings = value; }
    void setChkShowNumberOfMaxScorers(bool on) override { showNumberOfMaxScorers = on; }
    void setChkShowOnlyMaxScorers(bool on) override { showOnlyMaxScorers = on; }
    void setTxtKeypadsStartFrom(const std::string &text) override { keypadsStartFrom = text; }
    void setTxtAddtext(const std::string &text) override { addText = text; }
    void setDisplayCountBox(const std::string &text) override { displayCountBox = text; }
    void presetFontDialog(const FontChoice &choice) override { font = choice; }

    std::vector<std::string> quiz;      // the quiz list
    std::vector<std::string> available; // the available list
    std::string text1;
    int showScores = 1;
    std::optional<int> onFinish;
    std::optional<bool> autoStart;
    std::optional<int> useWeightings;
    std::optional<bool> showNumberOfMaxScorers;
    std::optional<bool> showOnlyMaxScorers;
    std::string keypadsStartFrom;
    std::string addText;
    std::string displayCountBox;
    std::optional<FontChoice> font;

  private:
    SetupFormKind kind_;
};

} // namespace quiz
