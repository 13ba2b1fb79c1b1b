#pragma once
// Time of day in the user's format, the mouse pointer and the screen's resolution.

#include "platform/Services.h"

namespace morvane {

class Win32Clock : public Clock {
public:
    std::string timeOfDay() override;
    void setWaitPointer(bool wait) override;
    int twipsPerPixelX() override;
    int twipsPerPixelY() override;

    // Windows resets the pointer on every mouse move: the view answers WM_SETCURSOR with the
    // wait pointer while this holds.
    bool waiting() const { return waiting_; }

private:
    bool waiting_ = false;
};

} // namespace morvane
