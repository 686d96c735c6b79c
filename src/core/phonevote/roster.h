#pragma once

#include "core/startup/quizstate.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quiz
{

// One keypad of a phone evening: a participant who joined (or whose name the
// names file lists and who has not claimed it yet: no token).
struct RosterEntry {
    int keypad = 0;
    std::string name;
    int weighting = 1;
    // The device's key: the SHA-256 of its token (devicekeys.h), never the
    // token itself; "" while a listed name is unclaimed.
    std::string tokenHash;
    bool removed = false;
};

// Why a join was refused.
enum class JoinRefusal { None, WrongCode, BadName, Full };

struct JoinResult {
    JoinRefusal refusal = JoinRefusal::None;
    std::string reason; // one line, for the refused request
    int keypad = 0;
    std::string name; // as given out, " (2)" included
};

// A name as the roster keeps it: trimmed, commas turned into blanks (the
// names list cannot carry them), 1 to 40 characters (code points) of valid
// UTF-8 without control characters. nullopt with the reason otherwise.
std::optional<std::string> normalizeName(std::string_view raw, std::string *reason);

// A new random token (32 hex digits) and a new join code (6 digits).
std::string newToken();
std::string newJoinCode();

// Who holds which keypad. A join gives the lowest keypad no entry has ever
// held; a name already taken gets " (2)", " (3)"...; a name the names file
// lists and nobody has claimed is claimed with its keypad. A removed
// participant's token no longer answers and the keypad is never given again.
class Roster
{
  public:
    static constexpr int maxKeypads = 10000;

    explicit Roster(std::string joinCode, const std::vector<Participant> &listed = {});

    const std::string &joinCode() const { return joinCode_; }
    // The device's key is the caller's (the hash of newToken()), so that
    // tests can choose it.
    JoinResult join(std::string_view code, std::string_view name, const std::string &tokenHash);
    // The entry holding this key, nullptr for none or a removed one. Found
    // through an index of the keys (a hall of phones asks on every answer),
    // then compared in constant time.
    const RosterEntry *byToken(std::string_view tokenHash) const;
    // A device key saved by an earlier run: its keypad's entry takes it back
    // when that entry is not removed, holds no key and has the same name
    // (a names file edited since gives nobody another's keypad).
    bool restoreKey(int keypad, std::string_view name, const std::string &tokenHash);
    bool remove(int keypad);

    // Listed names nobody has claimed yet, in keypad order.
    std::vector<std::string> unclaimedNames() const;
    // Everybody not removed, by keypad: the names list and the names file.
    std::vector<Participant> participants() const;
    // The highest keypad any entry holds (removed ones too); 0 when none.
    int highestKeypad() const;
    const std::vector<RosterEntry> &entries() const { return entries_; }

  private:
    bool nameTaken(std::string_view name) const;
    int lowestFreeKeypad() const;

    const RosterEntry *byKeypad(int keypad) const;

    std::string joinCode_;
    std::vector<RosterEntry> entries_; // by keypad
    std::unordered_map<std::string, int> keypadOfToken_;
};

// Two texts compared in time that does not depend on where they differ.
bool sameSecret(std::string_view a, std::string_view b);

// The names file: a heading, then "keypad,name,weighting" a line, names in
// double quotes (a quote doubled), CR LF ended; readNamesCsv reads it back.
std::string formatNamesCsv(const std::vector<Participant> &participants);

} // namespace quiz
