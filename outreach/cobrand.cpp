#include "outreach/cobrand.h"

namespace tressora {

void CoBrand_Randomize() {}

} // namespace tressora
