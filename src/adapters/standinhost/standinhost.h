#pragma once

#include "ports/presentationhost.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quiz
{

// The presentation program and its add-in, played from a host file (JSON;
// docs/host-file.md). Every operation reads the file's state, and every
// change is written back at once, atomically. The file is read again when
// someone else has changed it since.
class StandInHost : public PresentationHost
{
  public:
    // Opens the host file; nullptr, with the reason in *error, when it cannot
    // be read or holds no host description.
    static std::unique_ptr<StandInHost> open(const std::string &path, std::string *error);

    std::string filePath() const { return path_.toStdString(); }
    // The program that the quiz shapes of "AddVoteToSlide" run: the host
    // file's "program", else this setting, else the running executable.
    void setProgramPath(const std::string &path) { programPath_ = QString::fromStdString(path); }

    bool attach() override;
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

  private:
    StandInHost(QString path, QJsonObject root);

    // The host file
    void reloadIfChanged();
    void remember(); // notes the file's stamp after a read or write
    void save();
    QString resolve(const QString &path) const;
    [[noreturn]] void fail(const std::string &description) const;

    // Presentations and slides
    int activeIndex() const;
    QJsonObject presentation() const;
    void setPresentation(const QJsonObject &presentation);
    QString presentationFolder() const;
    QJsonObject slideObject(int index) const;
    void changeSlide(int index, const std::function<void(QJsonObject &)> &change);
    // Changes the first shape of that name on the slide; no such shape fails.
    void changeShape(int slideIndex, const std::string &shapeName,
                     const std::function<void(QJsonObject &)> &change);
    static int shapeIndex(const QJsonArray &shapes, const std::string &name);

    // The slide show and the windows
    QJsonObject slideShowObject() const;
    bool showRunning() const;
    QString showWindowTitle() const;
    bool isShowWindowTitle(const QString &title) const;
    void normaliseWindows();

    // The add-in's macros and the windows' list work on the host file as the
    // host does.
    friend class StandInHostMacros;
    friend class StandInHostWindows;

    QString path_;
    QString folder_;
    QJsonObject root_;
    QDateTime stamp_;
    qint64 size_ = -1;
    QByteArray saved_; // what save() last wrote
    QString programPath_;
};

} // namespace quiz
