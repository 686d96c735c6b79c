#pragma once

#include "core/common/runend.h"

#include <QCoreApplication>

#include <concepts>
#include <exception>
#include <functional>
#include <string>
#include <utility>

namespace quiz
{

// Qt's own libraries are built without exception support: an end of the run
// thrown from a handler through their frames (a button's click, the mouse
// event's delivery) would skip their clean-up and leave their state half
// changed. Every handler that Qt calls therefore runs through guardRunEnd: an
// end of the run (or an unexpected failure, which ends it with code 1) is
// latched and the event loops are told to stop, and the handler returns. The
// run ends where the program regains control (after the event loop, a yield
// or a modal dialog: runend.h).
template <typename F> void guardRunEnd(F &&handler)
{
    try {
        std::forward<F>(handler)();
    } catch (const RunEnded &end) {
        latchRunEnd(end);
        QCoreApplication::exit(end.exitCode);
    } catch (const std::exception &error) {
        const RunEnded end{1, std::string("unexpected error: ") + error.what()};
        latchRunEnd(end);
        QCoreApplication::exit(end.exitCode);
    }
}

// The same for a handler that answers (an event filter): `whenEnded` once the run has ended.
template <typename R, typename F> R guardRunEnd(R whenEnded, F &&handler)
{
    R result = whenEnded;
    guardRunEnd([&] { result = std::forward<F>(handler)(); });
    return result;
}

// A slot for QObject::connect that runs `f` through guardRunEnd.
template <typename F> auto guarded(F f)
{
    return [f = std::move(f)](auto &&...args) requires std::invocable<const F &, decltype(args)...>
    {
        guardRunEnd([&] { std::invoke(f, std::forward<decltype(args)>(args)...); });
    };
}

// The same for a member function of `object`.
template <typename C, typename R, typename... A> auto guarded(C *object, R (C::*slot)(A...))
{
    return [object, slot](A... args) { guardRunEnd([&] { (object->*slot)(std::forward<A>(args)...); }); };
}

} // namespace quiz
