#pragma once

#include "core/presentationlink/hostmacros.h"

#include <QString>

namespace quiz
{

class StandInHost;

// The add-in's macros as the stand-in host plays them on its host file: the
// vote slides' list (quizslds.txt), the show started or ended, a quiz shape
// put on the slide being worked on.
class StandInHostMacros : public HostMacros
{
  public:
    explicit StandInHostMacros(StandInHost &host) : host_(host) {}

    void findVoteSlides() override;
    void startShowEdit(const std::vector<std::string> &args) override;
    void endShowEdit() override;
    void addVoteToSlide(const std::vector<std::string> &args) override;

  private:
    QString programForRunString() const;

    StandInHost &host_;
};

} // namespace quiz
