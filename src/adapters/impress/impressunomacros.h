#pragma once

#include "core/presentationlink/hostmacros.h"

namespace quiz
{

class ImpressHost;

// The add-in's macros carried out on LibreOffice Impress by the host itself
// (docs/impress.md): the vote slides' list, the show started or ended, a quiz
// shape on the slide being worked on.
class ImpressHostMacros : public HostMacros
{
  public:
    explicit ImpressHostMacros(ImpressHost &host) : host_(host) {}

    void findVoteSlides() override;
    void startShowEdit(const std::vector<std::string> &args) override;
    void endShowEdit() override;
    void addVoteToSlide(const std::vector<std::string> &args) override;

  private:
    // Waits up to 5 s until the show runs (or has ended); false when it did not.
    bool waitForShow(bool running);

    ImpressHost &host_;
};

} // namespace quiz
