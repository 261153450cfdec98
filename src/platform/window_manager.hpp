#pragma once

namespace tarvomen {

// The windows of the program. Each exists once and is addressed by its name.
enum class WindowId {
    FormStart,
    FormProfile,
    FormDetail,
    FormLink,
    Form1,
    FormMedia,
    FormMedia2,
    frmLogin
};

// Loading, showing, hiding and unloading windows by name, as the window models ask for it.
// The desktop program implements it with its views; tests record the calls.
class WindowManager {
  public:
    virtual ~WindowManager() = default;
    // Loads the window if it is not loaded (its load handler runs), then shows it.
    virtual void show(WindowId window) = 0;
    virtual void hide(WindowId window) = 0;
    // Closes the window and forgets it; the next show loads it anew.
    virtual void unload(WindowId window) = 0;
    virtual bool isLoaded(WindowId window) const = 0;
};

}  // namespace tarvomen
