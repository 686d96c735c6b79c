#pragma once

#include "ports/presentationhost.h"

#include <memory>
#include <string>
#include <thread>

namespace quiz
{

// LibreOffice Impress as the presentation program, reached over a UNO
// connection to a running office (docs/impress.md). The office's windows are
// found by the X11 window system; this host reports only their title patterns.
// Every call runs on the thread that made the host; a dead office ends the run.
class ImpressHost : public PresentationHost
{
  public:
    static constexpr const char *kDefaultConnection = "pipe,name=talvix_impress";
    // The connection description of a run: the --impress option's value, else
    // the one the environment names (TALVIX_IMPRESS), else kDefaultConnection.
    static std::string connectionDescription(const std::string &impressOption,
                                             const std::string &fromEnvironment);

    explicit ImpressHost(std::string description);
    ~ImpressHost() override;

    // Connects when not yet connected; false when no office answers.
    bool attach() override;
    // The add-in's folder: the one the environment names (TALVIX_ADDIN_FOLDER),
    // else the folder of this program.
    void setProgramPath(const std::string &path) { programPath_ = path; }
    void setAddinFolder(const std::string &folder) { addinFolder_ = folder; }
    // Why the last attach failed.
    const std::string &attachError() const { return attachError_; }
    std::string addinFolder(const std::string &addinName) override;

    int presentationCount() override;
    std::string activePresentationPath() override;
    double pageWidth() override;
    double pageHeight() override;
    int activeWindowViewType() override;
    int selectedSlideIndex() override;

    int slideCount() override;
    HostSlide slide(int index) override;
    void setSlideTitle(int index, const std::string &title) override;
    void setSlideTag(int index, const std::string &tagName, const std::string &value) override;
    void deleteShapeTag(int slideIndex, const std::string &shapeName, const std::string &tagName) override;

    int slideShowWindowCount() override;
    int slideShowCurrentSlide() override;
    PixelRect slideShowWindowRect() override;
    int slideShowPointerType() override;
    void setSlideShowPointerType(int type) override;
    void captureSlideShow(const std::string &imagePath) override;

    std::string pastePicture(int slideIndex, const std::string &imagePath) override;
    void updateShape(int slideIndex, const std::string &shapeName, const HostShape &shape) override;
    void deleteShape(int slideIndex, const std::string &shapeName) override;
    void putVoteShape(int slideIndex, const std::string &runString) override;
    void setSlideText(int slideIndex, const std::string &title,
                      const std::vector<std::string> &lines) override;

    void runMacro(const std::string &name, const std::vector<std::string> &args) override;

    HostTitlePatterns titlePatterns() override;

    // Starts the show at a slide (1-based), ends it, or shows another slide of
    // the running show.
    void startShow(int slideIndex);
    void endShow();
    void goToSlide(int slideIndex);

  private:
    struct Office;
    // The add-in's macros reach the office as the host does.
    friend class ImpressHostMacros;

    std::string description_;
    std::string attachError_;
    std::string programPath_;
    std::string addinFolder_;
    std::unique_ptr<Office> office_;
    std::thread::id thread_;
    int pointerType_ = 4;
};

} // namespace quiz
