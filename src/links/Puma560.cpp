// Puma560.cpp -- the built-in Puma560 model: its solids, outlines and the "Hand"
#include "links/Puma560.h"

//------------------------------------------------------------------ module state
Puma560Solids puma560;
LinkDrawProc Puma560Links[7] = {NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink,
                                NoDrawLink, NoDrawLink, NoDrawLink};
EEData Puma560EElist[3] = {
  {"None", 0, NothingInitEE},
  {"Hand", 1, Puma560InitEEHand},
  {nullptr, 0, nullptr},
};

//------------------------------------------------------------------ public API
void Puma560Init(Robot) {}
void Puma560Destroy(Robot) {}
void Puma560InitEEHand(EndEffectorPtr ee) { NothingInitEE(ee); }
void ZDrawEE(EndEffectorPtr ee) { CallEEDrawer(EEDrawZ, ee); }
