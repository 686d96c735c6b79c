#pragma once

// The office a test starts: the build's office on a fresh profile in a folder
// of the test's, without its restore and start-up windows, ended by its
// process id (as every Child is).

#include "support/childprocess.h"

#include <unistd.h>

namespace quiz::test
{

inline const std::string officeProgram = QUIZ_OFFICE_PROGRAM "/soffice.bin";

inline bool officeInstalled()
{
    return access(officeProgram.c_str(), X_OK) == 0;
}

// The office with its profile in `profile` (a folder), then `args`.
inline Child startOffice(const std::string &profile, std::vector<std::string> args,
                         std::map<std::string, std::string> env = {})
{
    args.insert(args.begin(), {officeProgram, "-env:UserInstallation=file://" + profile, "--norestore",
                               "--nologo", "--nolockcheck"});
    return Child(std::move(args), std::move(env));
}

} // namespace quiz::test
