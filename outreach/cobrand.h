// Which of the quiz window's two overlapping bottom adverts is in front, drawn once per run.
#pragma once

namespace tressora {

// Draws from the process-wide generator and brings lblCobrand or lblFullBrand of the quiz
// window to the front (or leaves the stacking as created).
void CoBrand_Randomize();

} // namespace tressora
