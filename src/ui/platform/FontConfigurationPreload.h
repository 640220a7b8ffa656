#pragma once
// Loads the system's font configuration on a thread of its own while the
// application sets itself up. Reading it (dozens of XML files and the font
// caches) is the largest single step before the window can be shown, and it
// needs nothing from Qt; on a second core it is done by the time the window
// asks for its first font. Where Qt finds the fonts without fontconfig, this
// does nothing.

#include <thread>

namespace qm::ui {

class FontConfigurationPreload {
public:
    FontConfigurationPreload();
    FontConfigurationPreload(const FontConfigurationPreload&) = delete;
    FontConfigurationPreload& operator=(const FontConfigurationPreload&) = delete;
    ~FontConfigurationPreload() { wait(); }

    // Returns once the configuration is loaded. Call it before the first use
    // of a font, so that Qt finds the configuration ready instead of loading
    // a second one beside it.
    void wait();

private:
    std::thread thread_;
};

} // namespace qm::ui
