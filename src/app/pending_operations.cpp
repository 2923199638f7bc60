// Menu commands and message steps whose operations belong to the transfers and the
// settings files. Each definition moves to its own file when its operation arrives.

#include "app/tform1.h"

void TForm1::ReadFromPager1Click() {}

void TForm1::WriteToPager1Click() {}

void TForm1::Recover1Click() {}

void TForm1::ReadTransferStep(std::uint16_t, const q9tx::WindowMessage*) {}

void TForm1::WriteTransferStep(std::uint16_t, const q9tx::WindowMessage*) {}

void TForm1::EndTransfer() {}
