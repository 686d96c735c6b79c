#pragma once

#include <map>
#include <string>

namespace quiz
{

// What LibreOffice Impress keeps of a presentation, turned into what the
// presentation host port reports. Free of the office's API, so that it is
// tested without an office.

// A file URL ("file:///home/a%20b/x.odp") as a local path ("/home/a b/x.odp");
// a Windows drive keeps its letter ("file:///C:/x" -> "C:/x"). "" for an empty
// URL or one of another scheme.
std::string fileUrlToPath(const std::string &url);

// A shape's click action as the office reports it.
enum class ClickKind { Other, Program, Document };

// The run string of a click action: a program action keeps its target
// unchanged; a document action with a file URL (how a "run program" action
// of an imported presentation arrives) becomes the decoded path with its
// arguments. Every other action runs nothing: "".
std::string runStringOfClickAction(ClickKind kind, const std::string &bookmark);

// Lengths: the office measures in hundredths of a millimetre.
double hundredthsMmToPoints(long long hundredths);
long long pointsToHundredthsMm(double points);

// Tags live in the document's user-defined properties, one per tag, named
// "TalvixTag|SLIDE|TAG" for a slide's tag and "TalvixTag|SLIDE|SHAPE|TAG" for
// a shape's, where SLIDE is the slide's name. Names are kept in upper case.
std::string slideTagProperty(const std::string &slideName, const std::string &tag);
std::string shapeTagProperty(const std::string &slideName, const std::string &shapeName,
                             const std::string &tag);

// The tags of one slide (shapeName "") or one of its shapes, read from all of
// the document's tag properties (name -> value).
std::map<std::string, std::string> tagsOf(const std::map<std::string, std::string> &properties,
                                          const std::string &slideName, const std::string &shapeName);

// A local path as a file URL, with everything but unreserved characters and
// "/" percent-encoded.
std::string pathToFileUrl(const std::string &path);
} // namespace quiz
