#include "adapters/standinhost/standinhost.h"

#include "adapters/standinhost/hostjson.h"
#include "adapters/standinhost/standinhostmacros.h"
#include "core/common/text.h"
#include "core/presentationlink/titlematch.h"
#include "qtsupport/bmpfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QPainter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quiz
{

using hostjson::str;

namespace
{

// The number the presentation program gives its automation failures.
constexpr int kAutomationError = -2147188160;
constexpr int kPermissionDenied = 70;
const char *const kSource = "Presentation host";

} // namespace

// ---------------------------------------------------------------- the file

std::unique_ptr<StandInHost> StandInHost::open(const std::string &path, std::string *error)
{
    const auto report = [&](const std::string &text) {
        if (error)
            *error = text;
        return nullptr;
    };
    if (path.empty())
        return report("No host file named (--host FILE or TALVIX_HOST).");
    QFile file(str(path));
    if (!file.open(QIODevice::ReadOnly))
        return report("Cannot read the host file " + path + ": " + file.errorString().toStdString());
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return report("The host file " + path +
                      " is not valid JSON: " + parseError.errorString().toStdString() + " at offset " +
                      std::to_string(parseError.offset) + ".");
    if (!doc.isObject())
        return report("The host file " + path + " holds no JSON object.");
    if (doc.object().contains("presentations") && !doc.object().value("presentations").isArray())
        return report("The host file " + path + " has a \"presentations\" entry that is not a list.");
    std::unique_ptr<StandInHost> host(new StandInHost(QFileInfo(str(path)).absoluteFilePath(), doc.object()));
    return host;
}

StandInHost::StandInHost(QString path, QJsonObject root)
    : path_(std::move(path)), folder_(QFileInfo(path_).absolutePath()), root_(std::move(root))
{
    remember();
    normaliseWindows();
}

void StandInHost::remember()
{
    const QFileInfo info(path_);
    stamp_ = info.lastModified();
    size_ = info.size();
    saved_.clear(); // known again only after this host's own write
}

void StandInHost::reloadIfChanged()
{
    const QFileInfo info(path_);
    if (info.lastModified() == stamp_ && info.size() == size_)
        return;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return; // keep what we have
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    if (!doc.isObject())
        return;
    root_ = doc.object();
    remember();
    normaliseWindows();
}

void StandInHost::save()
{
    const QByteArray bytes = QJsonDocument(root_).toJson(QJsonDocument::Indented);
    const QFileInfo info(path_);
    // The file already says this (as this host last read or wrote it): leave it.
    if (bytes == saved_ && info.lastModified() == stamp_ && info.size() == size_)
        return;
    // Replaced whole (a reader sees the old state or the new one), but not
    // forced to the disk: this is the presentation program's passing state,
    // and a forced write per window change costs more than the rest of a run's
    // start.
    const QString failure = "Permission denied: " + path_;
    QTemporaryFile file(path_ + ".XXXXXX");
    if (!file.open())
        throw HostError(kPermissionDenied, kSource, failure.toStdString());
    const QFileDevice::Permissions permissions = info.exists()
                                                     ? info.permissions()
                                                     : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (file.write(bytes) != bytes.size() || !file.setPermissions(permissions) || !file.flush())
        throw HostError(kPermissionDenied, kSource, (failure + ": " + file.errorString()).toStdString());
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path_).constData()) !=
        0)
        throw HostError(kPermissionDenied, kSource, (failure + ": " + std::strerror(errno)).toStdString());
    file.setAutoRemove(false);
    remember();
    saved_ = bytes;
}

QString StandInHost::resolve(const QString &path) const
{
    if (path.isEmpty())
        return {};
    return QDir::cleanPath(QDir(folder_).absoluteFilePath(path));
}

void StandInHost::fail(const std::string &description) const
{
    throw HostError(kAutomationError, kSource, description);
}

// ---------------------------------------------------------------- application

bool StandInHost::attach()
{
    reloadIfChanged();
    return root_.value("running").toBool(true);
}

std::string StandInHost::addinFolder(const std::string &addinName)
{
    reloadIfChanged();
    const QString name = root_.value("addinName").toString("talvix");
    if (!iequals(name.toStdString(), addinName) || !root_.contains("addinFolder"))
        fail("Item " + addinName + " not found in the AddIns collection.");
    return resolve(root_.value("addinFolder").toString()).toStdString();
}

int StandInHost::activeIndex() const
{
    const int index = root_.value("activePresentation").toInt(0);
    const int count = int(root_.value("presentations").toArray().size());
    return index >= 0 && index < count ? index : -1;
}

QJsonObject StandInHost::presentation() const
{
    const int index = activeIndex();
    if (index < 0)
        fail("Application (unknown member) : Invalid request. There is no active presentation.");
    return root_.value("presentations").toArray().at(index).toObject();
}

void StandInHost::setPresentation(const QJsonObject &presentation)
{
    QJsonArray list = root_.value("presentations").toArray();
    list[activeIndex()] = presentation;
    root_["presentations"] = list;
}

QString StandInHost::presentationFolder() const
{
    const QString path = presentation().value("path").toString();
    if (path.isEmpty())
        fail("Presentation (unknown member) : The presentation has never been saved.");
    return QFileInfo(resolve(path)).absolutePath();
}

int StandInHost::presentationCount()
{
    reloadIfChanged();
    return activeIndex() < 0 ? 0 : int(root_.value("presentations").toArray().size());
}

std::string StandInHost::activePresentationPath()
{
    reloadIfChanged();
    return resolve(presentation().value("path").toString()).toStdString();
}

double StandInHost::pageWidth()
{
    reloadIfChanged();
    return presentation().value("pageWidth").toDouble(720);
}

double StandInHost::pageHeight()
{
    reloadIfChanged();
    return presentation().value("pageHeight").toDouble(540);
}

int StandInHost::activeWindowViewType()
{
    reloadIfChanged();
    return root_.value("activeWindowViewType").toInt(1);
}

int StandInHost::selectedSlideIndex()
{
    reloadIfChanged();
    return presentation().value("selectedSlide").toInt(1);
}

// ---------------------------------------------------------------- slides and shapes

int StandInHost::slideCount()
{
    reloadIfChanged();
    return int(presentation().value("slides").toArray().size());
}

QJsonObject StandInHost::slideObject(int index) const
{
    const QJsonArray slides = presentation().value("slides").toArray();
    if (index < 1 || index > slides.size())
        fail("Slides.Item : Integer " + std::to_string(index) + " out of range 1 to " +
             std::to_string(slides.size()) + ".");
    return slides.at(index - 1).toObject();
}

void StandInHost::changeSlide(int index, const std::function<void(QJsonObject &)> &change)
{
    QJsonObject slide = slideObject(index);
    change(slide);
    QJsonObject pres = presentation();
    QJsonArray slides = pres.value("slides").toArray();
    slides[index - 1] = slide;
    pres["slides"] = slides;
    setPresentation(pres);
    save();
}

void StandInHost::changeShape(int slideIndex, const std::string &shapeName,
                              const std::function<void(QJsonObject &)> &change)
{
    changeSlide(slideIndex, [&](QJsonObject &slide) {
        QJsonArray shapes = slide.value("shapes").toArray();
        const int i = shapeIndex(shapes, shapeName);
        if (i < 0)
            fail("Shapes.Item : Item " + shapeName + " not found.");
        QJsonObject shape = shapes.at(i).toObject();
        change(shape);
        shapes[i] = shape;
        slide["shapes"] = shapes;
    });
}

int StandInHost::shapeIndex(const QJsonArray &shapes, const std::string &name)
{
    for (int i = 0; i < shapes.size(); ++i)
        if (shapes.at(i).toObject().value("name").toString().toStdString() == name)
            return i;
    for (int i = 0; i < shapes.size(); ++i)
        if (iequals(shapes.at(i).toObject().value("name").toString().toStdString(), name))
            return i;
    return -1;
}

HostSlide StandInHost::slide(int index)
{
    reloadIfChanged();
    const QJsonObject o = slideObject(index);
    HostSlide slide;
    slide.title = o.value("title").toString().toStdString();
    slide.text = o.value("text").toString().toStdString();
    slide.tags = hostjson::tags(o.value("tags"));
    for (const QJsonValue &value : o.value("shapes").toArray()) {
        const QJsonObject s = value.toObject();
        HostShape shape;
        shape.name = s.value("name").toString().toStdString();
        shape.runString = s.value("run").toString().toStdString();
        shape.tags = hostjson::tags(s.value("tags"));
        shape.left = s.value("left").toDouble();
        shape.top = s.value("top").toDouble();
        shape.width = s.value("width").toDouble();
        shape.height = s.value("height").toDouble();
        shape.visible = s.value("visible").toBool(true);
        slide.shapes.push_back(std::move(shape));
    }
    return slide;
}

void StandInHost::setSlideTitle(int index, const std::string &title)
{
    reloadIfChanged();
    changeSlide(index, [&](QJsonObject &slide) { slide["title"] = str(title); });
}

// Every macro run is recorded in the host file; "Brevak" is only recorded.
void StandInHost::runMacro(const std::string &name, const std::vector<std::string> &args)
{
    reloadIfChanged();
    QJsonArray argList;
    for (const auto &arg : args)
        argList.append(str(arg));
    QJsonArray macros = root_.value("macros").toArray();
    macros.append(QJsonObject{{"name", str(name)}, {"args", argList}});
    root_["macros"] = macros;
    save();

    StandInHostMacros actions(*this);
    if (!runHostMacro(actions, name, args))
        fail("Macro " + name + " cannot be found.");
}

void StandInHost::putVoteShape(int slideIndex, const std::string &runString)
{
    reloadIfChanged();
    changeSlide(slideIndex, [&](QJsonObject &slide) {
        QJsonArray shapes = slide.value("shapes").toArray();
        int i = 0;
        while (i < shapes.size() &&
               !iequals(shapes.at(i).toObject().value("name").toString().toStdString(), "VOTE"))
            ++i;
        QJsonObject shape = i < shapes.size() ? shapes.at(i).toObject()
                                              : QJsonObject{{"name", "VOTE"}, {"tags", QJsonObject()}};
        shape["run"] = str(runString);
        if (i < shapes.size())
            shapes[i] = shape;
        else
            shapes.append(shape);
        slide["shapes"] = shapes;
    });
}

void StandInHost::setSlideText(int slideIndex, const std::string &title,
                               const std::vector<std::string> &lines)
{
    reloadIfChanged();
    changeSlide(slideIndex, [&](QJsonObject &slide) {
        if (!title.empty())
            slide["title"] = str(title);
        std::string text;
        for (const std::string &line : lines)
            text += (text.empty() ? "" : "\r\n") + line;
        slide["text"] = str(text);
    });
}

void StandInHost::setSlideTag(int index, const std::string &tagName, const std::string &value)
{
    reloadIfChanged();
    changeSlide(index, [&](QJsonObject &slide) {
        QJsonObject tags = slide.value("tags").toObject();
        tags[str(tagName)] = str(value);
        slide["tags"] = tags;
    });
}

void StandInHost::deleteShapeTag(int slideIndex, const std::string &shapeName, const std::string &tagName)
{
    reloadIfChanged();
    changeShape(slideIndex, shapeName, [&](QJsonObject &shape) {
        QJsonObject tags = shape.value("tags").toObject();
        tags.remove(str(tagName));
        shape["tags"] = tags;
    });
}

std::string StandInHost::pastePicture(int slideIndex, const std::string &imagePath)
{
    reloadIfChanged();
    const QJsonObject target = slideObject(slideIndex);
    const QImage image(str(imagePath));
    if (image.isNull())
        fail("Shapes.Paste : Invalid request. The picture " + imagePath + " cannot be read.");

    const QJsonArray shapes = target.value("shapes").toArray();
    int n = 1;
    const auto pictureName = [&](int k) { return QString("inserted/%1-%2.png").arg(slideIndex).arg(k); };
    while (shapeIndex(shapes, "Picture " + std::to_string(n)) >= 0 || QFile::exists(resolve(pictureName(n))))
        ++n;
    QDir(folder_).mkpath("inserted");
    QSaveFile file(resolve(pictureName(n)));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        throw HostError(kPermissionDenied, kSource,
                        "Permission denied: " + resolve(pictureName(n)).toStdString());

    // A pasted picture arrives at its own size (96 pixels to the inch),
    // centred on the slide.
    const double width = image.width() * 0.75, height = image.height() * 0.75;
    const QJsonObject pres = presentation();
    QJsonObject shape{{"name", QString("Picture %1").arg(n)},
                      {"picture", pictureName(n)},
                      {"left", (pres.value("pageWidth").toDouble(720) - width) / 2},
                      {"top", (pres.value("pageHeight").toDouble(540) - height) / 2},
                      {"width", width},
                      {"height", height},
                      {"visible", true},
                      {"tags", QJsonObject{}}};
    changeSlide(slideIndex, [&](QJsonObject &slide) {
        QJsonArray list = slide.value("shapes").toArray();
        list.append(shape);
        slide["shapes"] = list;
    });
    return "Picture " + std::to_string(n);
}

void StandInHost::updateShape(int slideIndex, const std::string &shapeName, const HostShape &update)
{
    reloadIfChanged();
    changeShape(slideIndex, shapeName, [&](QJsonObject &shape) {
        shape["name"] = str(update.name);
        shape["left"] = update.left;
        shape["top"] = update.top;
        shape["width"] = update.width;
        shape["height"] = update.height;
        shape["visible"] = update.visible;
    });
}

void StandInHost::deleteShape(int slideIndex, const std::string &shapeName)
{
    reloadIfChanged();
    QString picture;
    changeSlide(slideIndex, [&](QJsonObject &slide) {
        QJsonArray shapes = slide.value("shapes").toArray();
        const int i = shapeIndex(shapes, shapeName);
        if (i < 0)
            fail("Shapes.Item : Item " + shapeName + " not found.");
        picture = shapes.at(i).toObject().value("picture").toString();
        shapes.removeAt(i);
        slide["shapes"] = shapes;
    });
    // Pictures the host saved for pasted shapes go with their shape.
    if (picture.startsWith("inserted/"))
        QFile::remove(resolve(picture));
}

// ---------------------------------------------------------------- the slide show

QJsonObject StandInHost::slideShowObject() const
{
    return root_.value("slideShow").toObject();
}

bool StandInHost::showRunning() const
{
    return slideShowObject().value("running").toBool(false);
}

int StandInHost::slideShowWindowCount()
{
    reloadIfChanged();
    return showRunning() ? 1 : 0;
}

int StandInHost::slideShowCurrentSlide()
{
    reloadIfChanged();
    if (!showRunning())
        fail("SlideShowWindows.Item : Integer 1 out of range 1 to 0.");
    return slideShowObject().value("slide").toInt(1);
}

PixelRect StandInHost::slideShowWindowRect()
{
    reloadIfChanged();
    if (!showRunning())
        fail("SlideShowWindows.Item : Integer 1 out of range 1 to 0.");
    return hostjson::rect(slideShowObject().value("window"));
}

int StandInHost::slideShowPointerType()
{
    reloadIfChanged();
    if (!showRunning())
        fail("SlideShowWindows.Item : Integer 1 out of range 1 to 0.");
    return slideShowObject().value("pointerType").toInt(1);
}

void StandInHost::setSlideShowPointerType(int type)
{
    reloadIfChanged();
    if (!showRunning())
        fail("SlideShowWindows.Item : Integer 1 out of range 1 to 0.");
    QJsonObject show = slideShowObject();
    show["pointerType"] = type;
    root_["slideShow"] = show;
    save();
}

void StandInHost::captureSlideShow(const std::string &imagePath)
{
    reloadIfChanged();
    if (!showRunning())
        fail("SlideShowWindows.Item : Integer 1 out of range 1 to 0.");
    const PixelRect window = hostjson::rect(slideShowObject().value("window"));
    if (window.width <= 0 || window.height <= 0)
        fail("The slide show's window has no size.");
    const int slideIndex = slideShowObject().value("slide").toInt(1);
    const QJsonObject slide = slideObject(slideIndex);

    QImage picture(window.width, window.height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        const QImage look(resolve(slide.value("picture").toString()));
        if (!look.isNull())
            painter.drawImage(QRect(0, 0, window.width, window.height), look);
        // Pictures pasted into the slide show on it, placed in points.
        const QJsonObject pres = presentation();
        const double sx = window.width / pres.value("pageWidth").toDouble(720);
        const double sy = window.height / pres.value("pageHeight").toDouble(540);
        for (const QJsonValue &value : slide.value("shapes").toArray()) {
            const QJsonObject shape = value.toObject();
            if (!shape.value("visible").toBool(true) || shape.value("picture").toString().isEmpty())
                continue;
            const QImage shown(resolve(shape.value("picture").toString()));
            if (shown.isNull())
                continue;
            painter.drawImage(QRectF(shape.value("left").toDouble() * sx, shape.value("top").toDouble() * sy,
                                     shape.value("width").toDouble() * sx,
                                     shape.value("height").toDouble() * sy),
                              shown);
        }
    }
    const QByteArray suffix = QFileInfo(str(imagePath)).suffix().toLower().toLatin1();
    if (suffix == "bmp"
            ? !writeBmpQuickly(picture, str(imagePath))
            : !picture.save(str(imagePath),
                            QImageWriter::supportedImageFormats().contains(suffix) ? nullptr : "PNG"))
        throw HostError(kPermissionDenied, kSource, "Permission denied: " + imagePath);
}

// The windows' titles

namespace
{

HostTitlePatterns patternsOf(const QJsonObject &root)
{
    HostTitlePatterns patterns;
    const QJsonObject o = root.value("titlePatterns").toObject();
    const auto take = [&](const char *key, std::string &field) {
        if (o.contains(key))
            field = o.value(key).toString().toStdString();
    };
    take("anyWindow", patterns.anyWindow);
    take("mainWindow", patterns.mainWindow);
    take("showWindow", patterns.showWindow);
    take("mainWindowTitle", patterns.mainWindowTitle);
    take("showWindowTitle", patterns.showWindowTitle);
    return patterns;
}

} // namespace

HostTitlePatterns StandInHost::titlePatterns()
{
    reloadIfChanged();
    return patternsOf(root_);
}

QString StandInHost::showWindowTitle() const
{
    QString name = "Presentation1";
    const int index = activeIndex();
    if (index >= 0) {
        const QString path =
            root_.value("presentations").toArray().at(index).toObject().value("path").toString();
        if (!path.isEmpty())
            name = QFileInfo(path).fileName();
    }
    return "PowerPoint Slide Show - [" + name + "]";
}

bool StandInHost::isShowWindowTitle(const QString &title) const
{
    return WildcardMatch(toUpper(title.toStdString()), toUpper(patternsOf(root_).showWindow));
}

// Gives every window a handle that stays with it, and lists the running
// show's window when the file does not.
void StandInHost::normaliseWindows()
{
    QJsonArray list = root_.value("windows").toArray();
    long long next = 1;
    bool showListed = false;
    for (const QJsonValue &value : list) {
        const QJsonObject w = value.toObject();
        if (w.contains("handle"))
            next = std::max(next, w.value("handle").toInteger() + 1);
        showListed = showListed || isShowWindowTitle(w.value("title").toString());
    }
    for (int i = 0; i < list.size(); ++i) {
        QJsonObject w = list.at(i).toObject();
        if (!w.contains("handle")) {
            w["handle"] = qint64(next++);
            list[i] = w;
        }
    }
    if (showRunning() && !showListed) {
        list.prepend(QJsonObject{{"handle", qint64(next++)},
                                 {"title", showWindowTitle()},
                                 {"rect", slideShowObject().value("window")},
                                 {"visible", true},
                                 {"enabled", true}});
    }
    root_["windows"] = list;
}

} // namespace quiz
