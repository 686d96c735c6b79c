#pragma once

#include "core/results/progresscaption.h"
#include "ports/progress.h"

#include <QWidget>

#include <chrono>
#include <functional>

class QLabel;
class QProgressBar;
class QTimer;

namespace quiz
{

// The "Please Wait" window of long passes: a progress bar and a moving
// caption, always on top, centred on the screen, without buttons. Its owner
// sets it up, advances it and unloads it.
class frmLoading : public QWidget, public ProgressView
{
    Q_OBJECT
  public:
    static constexpr int heightTwips = 690;
    static constexpr int widthTwips = 5400;
    static constexpr int animateIntervalMs = 150;
    static constexpr int repaintIntervalMs = 100;
    static constexpr const char *message = "Building Excel Workbook - Please Wait";
    static constexpr const char *windowCaption = "Please Wait - Compiling Results";

    // enablePowerPointWindows is the presentation link's
    // EnablePowerPointWindows; loading and unloading the window call it.
    explicit frmLoading(std::function<void(bool)> enablePowerPointWindows = {}, QWidget *parent = nullptr);
    ~frmLoading() override;

    // Sizes, centres and captions the window, resets the bar to 0 of maximum
    // and shows the window (topmost) unless it is already showing.
    void SetUpProgressBar(float maximum);
    // Steps on (one by default); a bar at its maximum stays there.
    void IncrementProgressBar(long long steps = 1);
    // One tick of the caption's animation.
    void tmr_Animate_Timer();

    void setUpProgressBar(float maximum) override { SetUpProgressBar(maximum); }
    void incrementProgressBar() override { IncrementProgressBar(); }
    void incrementProgressBarBy(long long steps) override { IncrementProgressBar(steps); }
    void unload() override;

    float value() const { return value_; }
    float maximum() const { return maximum_; }
    bool isLoaded() const { return loaded_; }

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void Form_Load();
    void Form_Unload();
    void showBar();

    std::function<void(bool)> enablePowerPointWindows_;
    std::chrono::steady_clock::time_point lastRepaint_{};
    long long stepsSinceClock_ = 0; // the clock is read once per stepsPerClockRead steps
    static constexpr int stepsPerClockRead = 512;
    QProgressBar *prg_Loading_;
    QLabel *Label1_;
    QTimer *tmr_Animate_;
    ProgressCaption caption_;
    float value_ = 0;
    float maximum_ = 0;
    bool loaded_ = false;
};

} // namespace quiz
