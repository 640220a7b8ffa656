// The user interface library grows here.
namespace qm::ui {
int placeholder() { return 0; }
}
