#pragma once

#include <memory>
#include <optional>

namespace quiz
{

struct RunContext;
class Dialogs;
class UnattendedDialogs;

// Puts a port of the run back as it was when the scope ends.
template <typename Port> class ScopedPort
{
  public:
    ScopedPort(Port *&slot, Port *replacement) : slot_(slot), old_(slot)
    {
        if (replacement)
            slot = replacement;
    }
    ~ScopedPort() { slot_ = old_; }
    ScopedPort(const ScopedPort &) = delete;
    ScopedPort &operator=(const ScopedPort &) = delete;

  private:
    Port *&slot_;
    Port *old_;
};

// A reporting run: with TALVIX_OUTPUT set, the run's dialogs are unattended
// (the output file is the answer to the save and print dialogs) while this
// object lives; otherwise nothing changes.
class UnattendedRun
{
  public:
    explicit UnattendedRun(RunContext &ctx);
    ~UnattendedRun();
    // True when the run reports into the output file.
    bool active() const { return dialogs_ != nullptr; }

  private:
    std::unique_ptr<UnattendedDialogs> dialogs_;
    std::optional<ScopedPort<Dialogs>> swap_;
};

} // namespace quiz
