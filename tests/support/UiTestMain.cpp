// The one main() of every widget test program: a QApplication on a fixed
// offscreen screen, then every test.
#include "ui/UiTestSupport.h"

int main(int argc, char** argv)
{
    return qm::ui::test::runWindowTests(argc, argv);
}
