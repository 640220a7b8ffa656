// Handlers whose work belongs to the editing, file, printing and game parts of
// the program. Each is connected already; its body moves to a source file of
// its own subsystem when that part is written.

#include "ui/tape/RollingCaculator.h"

namespace qm::ui {

void Rolling_Caculator::CalC_Button_Click(int) {}
void Rolling_Caculator::Op_Click(int) {}
void Rolling_Caculator::Stific_Click(int) {}
void Rolling_Caculator::MemoryRc_Click(int) {}
void Rolling_Caculator::PieValue_Click() {}
void Rolling_Caculator::CalAmount_GotFocus(int) {}
void Rolling_Caculator::CalAmount_MouseDown(int, int, int, int, int) {}
void Rolling_Caculator::CalAmount_KeyDown(int, int&, int) {}
void Rolling_Caculator::CalAmount_KeyPress(int, int&) {}
void Rolling_Caculator::CalAmount_KeyUp(int, int&, int) {}
void Rolling_Caculator::LD_Click(int) {}
void Rolling_Caculator::PrintCalc_Click() {}
void Rolling_Caculator::Nixie_Invaders_Go_Click(int) {}

} // namespace qm::ui
