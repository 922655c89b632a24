#pragma once

#include <functional>

class QWidget;

// Shows the splash over Owner, runs Work while it is on screen, and returns
// once it has closed. Window tests put an instant one in its place.
class ISplashScreen {
public:
    virtual ~ISplashScreen() = default;
    virtual void ShowSplash(QWidget& Owner, const std::function<void()>& Work) = 0;
};

// The splash with the picture from Res.dll in the program folder. Without the
// library or a readable picture there is no splash, and Work runs at once.
class TFlashSplash : public ISplashScreen {
public:
    void ShowSplash(QWidget& Owner, const std::function<void()>& Work) override;
};
