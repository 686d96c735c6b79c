#include "core/phonevote/roster.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"

#include <algorithm>
#include <random>
#include <set>

namespace quiz
{

namespace
{

constexpr std::size_t kMaxNameChars = 40;

// Code points of valid UTF-8; nullopt when the text is not valid UTF-8 or
// holds a control character.
std::optional<std::size_t> printableCodePoints(std::string_view text)
{
    if (!isValidUtf8(text))
        return std::nullopt;
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f)
            return std::nullopt;
        // C1 controls: U+0080..U+009F are C2 80..C2 9F.
        if (c == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xa0)
            return std::nullopt;
        if ((c & 0xc0) != 0x80)
            ++count;
    }
    return count;
}

std::string randomDigits(int count, int base)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::random_device device; // the kernel's random source for every digit
    std::string text;
    for (int i = 0; i < count; ++i)
        text += digits[std::uniform_int_distribution<int>(0, base - 1)(device)];
    return text;
}

} // namespace

std::optional<std::string> normalizeName(std::string_view raw, std::string *reason)
{
    std::string name = trim(replaceAll(std::string(raw), ",", " "));
    const std::optional<std::size_t> chars = printableCodePoints(name);
    if (!chars) {
        *reason = "the name holds characters that cannot be shown";
        return std::nullopt;
    }
    if (*chars == 0 || *chars > kMaxNameChars) {
        *reason = "a name has 1 to 40 characters";
        return std::nullopt;
    }
    return name;
}

std::string newToken()
{
    return randomDigits(32, 16);
}

std::string newJoinCode()
{
    return randomDigits(6, 10);
}

bool sameSecret(std::string_view a, std::string_view b)
{
    if (a.size() != b.size() || a.empty())
        return false; // tokens and codes have a fixed length: it tells nothing
    unsigned char differ = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        differ |= static_cast<unsigned char>(a[i] ^ b[i]);
    return differ == 0;
}

Roster::Roster(std::string joinCode, const std::vector<Participant> &listed) : joinCode_(std::move(joinCode))
{
    for (const Participant &p : listed) {
        if (p.keypad < 1 || p.keypad > maxKeypads ||
            std::any_of(entries_.begin(), entries_.end(),
                        [&](const RosterEntry &e) { return e.keypad == p.keypad; }))
            continue;
        entries_.push_back({p.keypad, p.name, p.weighting, {}, false});
    }
    std::sort(entries_.begin(), entries_.end(),
              [](const RosterEntry &a, const RosterEntry &b) { return a.keypad < b.keypad; });
}

bool Roster::nameTaken(std::string_view name) const
{
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const RosterEntry &e) { return !e.removed && iequals(e.name, name); });
}

int Roster::lowestFreeKeypad() const
{
    int k = 1; // entries_ are in keypad order: the first gap
    for (const RosterEntry &e : entries_) {
        if (e.keypad > k)
            break;
        k = e.keypad + 1;
    }
    return k <= maxKeypads ? k : 0;
}

JoinResult Roster::join(std::string_view code, std::string_view rawName, const std::string &tokenHash)
{
    JoinResult result;
    if (!sameSecret(code, joinCode_)) {
        result.refusal = JoinRefusal::WrongCode;
        result.reason = "wrong join code";
        return result;
    }
    const std::optional<std::string> name = normalizeName(rawName, &result.reason);
    if (!name) {
        result.refusal = JoinRefusal::BadName;
        return result;
    }
    for (RosterEntry &e : entries_) {
        if (!e.removed && e.tokenHash.empty() && iequals(e.name, *name)) {
            e.tokenHash = tokenHash;
            keypadOfToken_[tokenHash] = e.keypad;
            return {JoinRefusal::None, {}, e.keypad, e.name};
        }
    }
    const int keypad = lowestFreeKeypad();
    if (keypad == 0) {
        result.refusal = JoinRefusal::Full;
        result.reason = "every keypad is taken";
        return result;
    }
    std::string given = *name;
    for (int n = 2; nameTaken(given); ++n)
        given = *name + " (" + std::to_string(n) + ")";
    const RosterEntry entry{keypad, given, 1, tokenHash, false};
    entries_.insert(
        std::lower_bound(entries_.begin(), entries_.end(), entry,
                         [](const RosterEntry &a, const RosterEntry &b) { return a.keypad < b.keypad; }),
        entry);
    keypadOfToken_[tokenHash] = keypad;
    return {JoinRefusal::None, {}, keypad, given};
}

const RosterEntry *Roster::byToken(std::string_view tokenHash) const
{
    const auto it = keypadOfToken_.find(std::string(tokenHash));
    if (it == keypadOfToken_.end())
        return nullptr;
    const RosterEntry *e = byKeypad(it->second);
    return e && !e->removed && !e->tokenHash.empty() && sameSecret(tokenHash, e->tokenHash) ? e : nullptr;
}

bool Roster::restoreKey(int keypad, std::string_view name, const std::string &tokenHash)
{
    const RosterEntry *found = byKeypad(keypad);
    if (!found || found->removed || !found->tokenHash.empty() || found->name != name || tokenHash.empty() ||
        keypadOfToken_.count(tokenHash))
        return false;
    RosterEntry &e = entries_[static_cast<std::size_t>(found - entries_.data())];
    e.tokenHash = tokenHash;
    keypadOfToken_[tokenHash] = keypad;
    return true;
}

const RosterEntry *Roster::byKeypad(int keypad) const
{
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), keypad,
                                     [](const RosterEntry &e, int k) { return e.keypad < k; });
    return it != entries_.end() && it->keypad == keypad ? &*it : nullptr;
}

bool Roster::remove(int keypad)
{
    for (RosterEntry &e : entries_) {
        if (e.keypad == keypad && !e.removed) {
            e.removed = true;
            keypadOfToken_.erase(e.tokenHash);
            e.tokenHash.clear();
            return true;
        }
    }
    return false;
}

std::vector<std::string> Roster::unclaimedNames() const
{
    std::vector<std::string> names;
    for (const RosterEntry &e : entries_)
        if (!e.removed && e.tokenHash.empty())
            names.push_back(e.name);
    return names;
}

std::vector<Participant> Roster::participants() const
{
    std::vector<Participant> list;
    for (const RosterEntry &e : entries_)
        if (!e.removed)
            list.push_back({e.name, e.keypad, e.weighting});
    return list;
}

int Roster::highestKeypad() const
{
    return entries_.empty() ? 0 : entries_.back().keypad;
}

std::string formatNamesCsv(const std::vector<Participant> &participants)
{
    std::string text = "Keypad,Name,Weighting\r\n";
    for (const Participant &p : participants)
        text += std::to_string(p.keypad) + ",\"" + replaceAll(p.name, "\"", "\"\"") + "\"," +
                std::to_string(p.weighting) + "\r\n";
    return text;
}

} // namespace quiz
