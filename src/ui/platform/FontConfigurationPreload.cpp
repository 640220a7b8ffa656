#include "ui/platform/FontConfigurationPreload.h"

#if QM_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#include <system_error>

namespace qm::ui {

FontConfigurationPreload::FontConfigurationPreload()
{
#if QM_HAVE_FONTCONFIG
    try {
        // Fontconfig loads its configuration once per process, whichever
        // thread asks first.
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: Qt loads the configuration itself when needed.
    }
#endif
}

void FontConfigurationPreload::wait()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace qm::ui
