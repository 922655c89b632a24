#pragma once

#include <functional>

// Runs an event handler of a window. An error that escapes it is shown in an
// error box captioned with the application title, and the program goes on; no
// error travels on into the toolkit, which cannot unwind through its own code.
void RunHandler(const std::function<void()>& Handler);

// A slot that runs Object->Method() as an event handler, whatever the signal carries.
template <typename TObject> auto Handler(TObject* Object, void (TObject::*Method)()) {
    return [Object, Method](auto&&...) { RunHandler([&] { (Object->*Method)(); }); };
}
